// TSlideShowList: the player's menu ("SlideShow Menu"): the projects of the
// package in a grid, the interval in seconds, whether the mouse and the
// timer advance the show, what the overlay line shows and how it looks
// (text colour, background, font, transparency), with a test line showing
// the choice. The values stay while the player runs.
#pragma once

#include <string>
#include <vector>

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TSlideShowList : public QDialog {
 public:
  explicit TSlideShowList(QWidget* owner = nullptr);

  // One grid row per project title; the first row is chosen.
  void SetProjects(const std::vector<std::string>& titles);
  // Shows the menu modally: the chosen row, or -1 when cancelled.
  int ShowMenu();
  // The captions from the text table.
  void ApplyTexts();

  QColor TextColor() const { return textColor_; }
  QColor BackColor() const { return backColor_; }
  QFont TextFont() const { return font_; }
  void SetTextColor(const QColor& color);
  void SetBackColor(const QColor& color);
  void SetTextFont(const QFont& font);
  // The colours and the font of a new menu.
  void SetDefaults();

  QTableWidget* SG;
  QLineEdit* Interval;
  QCheckBox* Mouse;
  QCheckBox* TimeInterval;
  QGroupBox* ImageInfo;
  QCheckBox* FileCounter;
  QCheckBox* ExposureTime;
  QCheckBox* Note;
  QCheckBox* Transparent;
  QPushButton* TextColorButton;
  QPushButton* BackColorButton;
  QPushButton* FontButton;
  QPushButton* DefaultsButton;
  QLabel* Test;
  QPushButton* OkButton;
  QPushButton* CancelButton;

 private:
  QWidget* BuildOptions();
  void ShowTest();
  void ChooseTextColor();
  void ChooseBackColor();
  void ChooseFont();

  QColor textColor_;
  QColor backColor_;
  QFont font_;
};
