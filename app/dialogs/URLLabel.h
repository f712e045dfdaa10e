// TURLLabel: a label that opens a web address when clicked, and shows itself
// in its mouse-over font while the pointer is over it.
#pragma once

#include <string>

#include <QColor>
#include <QFont>
#include <QLabel>

// A font as the label shows it: the face with its size and style, and the
// colour of the text.
struct TFontDesc {
  QFont font;
  QColor color;

  bool operator==(const TFontDesc&) const = default;
};

class TURLLabel : public QLabel {
 public:
  // Black plain text under a pointing hand; the mouse-over font is the same
  // face in blue, underlined. URL and caption start as the program's home
  // page.
  explicit TURLLabel(QWidget* parent = nullptr);

  std::string URL;
  TFontDesc MouseOverFont;

  // The font and colour shown now.
  TFontDesc CurrentFont() const;
  void ApplyFont(const TFontDesc& desc);

 protected:
  // Entering saves the font shown and applies MouseOverFont; leaving puts the
  // saved one back exactly.
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // A button released over the label opens URL; a failure is ignored.
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TFontDesc normalFont_;
  bool hovered_ = false;
};
