#include "app/dialogs/URLLabel.h"

#include <QMouseEvent>

#include "photos/WebPage.h"
#include "resources/Product.h"

TURLLabel::TURLLabel(QWidget* parent) : QLabel(parent), URL(resources::kHomePage) {
  QFont plain = font();
  plain.setBold(false);
  plain.setItalic(false);
  plain.setUnderline(false);
  plain.setStrikeOut(false);
  ApplyFont({plain, Qt::black});
  QFont underlined = plain;
  underlined.setUnderline(true);
  MouseOverFont = {underlined, Qt::blue};
  setText(QString::fromStdString(URL));
  setCursor(Qt::PointingHandCursor);
}

TFontDesc TURLLabel::CurrentFont() const { return {font(), palette().color(QPalette::WindowText)}; }

void TURLLabel::ApplyFont(const TFontDesc& desc) {
  setFont(desc.font);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, desc.color);
  setPalette(colours);
}

void TURLLabel::enterEvent(QEnterEvent* event) {
  if (!hovered_) normalFont_ = CurrentFont();
  hovered_ = true;
  ApplyFont(MouseOverFont);
  update();
  QLabel::enterEvent(event);
}

void TURLLabel::leaveEvent(QEvent* event) {
  if (hovered_) ApplyFont(normalFont_);
  hovered_ = false;
  update();
  QLabel::leaveEvent(event);
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (rect().contains(event->position().toPoint())) WebPage::Open(URL);
}
