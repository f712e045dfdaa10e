// The slide show in player mode: the package, its menu and its projects.
#include <exception>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "app/slideshow/SlideShowForm.h"
#include "app/slideshow/SlideShowProjects.h"
#include "app/slideshow/SlideThumbListForm.h"
#include "foundation/DosFunc.h"
#include "gallery/slideshow/SlideShowPackage.h"
#include "gallery/slideshow/SlideShowWorkDir.h"
#include "platform/Environment.h"
#include "texts/Language.h"

namespace {

constexpr char kNotFound[] = "SlideShow data not found";
constexpr char kEmpty[] = "Empty SlideShow";

// The package's language in place of the built-in texts; a file that does
// not read as one leaves them.
void TakeLanguage(TSlideShowPackage& package) {
  const std::string file = package.ExtractLanguage();
  if (file.empty()) return;
  try {
    Language::LoadLanguage(file);
  } catch (const std::exception&) {
    Language::LoadLanguage("DEFAULT");
  }
  DosFunc::DeleteFileLong(file);
}

}  // namespace

bool TSlideShow::LoadPlayerData(const std::vector<std::string>& arguments) {
  const std::string path =
      SlideShowPackage::PlayerPackagePath(arguments, platform::ExecutablePath());
  work_ = std::make_unique<TSlideShowWorkDir>();
  package_ = std::make_unique<TSlideShowPackage>();
  if (menu_ == nullptr) menu_ = new TSlideShowList(this);
  TSlideShowPackage::TOpenResult opened = TSlideShowPackage::TOpenResult::NotFound;
  try {
    opened = package_->Open(path, *work_);
  } catch (const EFListFileError& error) {
    TellError(error.what());
    return false;
  }
  if (opened == TSlideShowPackage::TOpenResult::NotFound) {
    TellError(kNotFound);
    return false;
  }
  TakeLanguage(*package_);
  menu_->ApplyTexts();
  if (opened == TSlideShowPackage::TOpenResult::Empty) {
    TellError(kEmpty);
    return false;
  }
  std::vector<std::string> titles;
  for (const TSlideShowProject& project : package_->Projects()) titles.push_back(project.Title);
  menu_->SetProjects(titles);
  return true;
}

void TSlideShow::StartProject(int p) {
  prepared_ = TPrepared();
  const int first = package_ != nullptr ? package_->FirstInfoEntry(p) : -1;
  if (first < 0 || menu_ == nullptr) return;
  const int count = package_->Projects().at(static_cast<size_t>(p)).Count;
  items_.clear();
  for (int j = 0; j < count; ++j) items_.push_back(SlideShowPackage::ItemOf(first + 3 * j));

  overlayFlags_ = (menu_->FileCounter->isChecked() ? SlideShowOverlay::kCounter : 0) |
                  (menu_->ExposureTime->isChecked() ? SlideShowOverlay::kExposure : 0) |
                  (menu_->Note->isChecked() ? SlideShowOverlay::kNote : 0);
  interval_ = SlideShowOverlay::IntervalMs(menu_->Interval->text().toStdString());
  timerOn_ = menu_->TimeInterval->isChecked();
  mouseOn_ = menu_->Mouse->isChecked();
  QPalette palette = ExposureLabel->palette();
  palette.setColor(QPalette::Window, menu_->BackColor());
  palette.setColor(QPalette::WindowText, menu_->TextColor());
  ExposureLabel->setPalette(palette);
  ExposureLabel->setAutoFillBackground(!menu_->Transparent->isChecked());
  ExposureLabel->setFont(menu_->TextFont());
  ExposureLabel->move(3, 3);
  ExposureLabel->clear();

  picker_ = new TSlideThumbListForm(this);
  picker_->Fill(items_, package_.get());
  Run(0);
  delete picker_;
  picker_ = nullptr;
  ExposureLabel->hide();
}

void TSlideShow::Timer2Timer() {
  Timer2->stop();
  if (LoadPlayerData(PlayerArguments)) {
    for (;;) {
      Img->clear();
      const int row = menu_->ShowMenu();
      if (row < 0) break;
      StartProject(row);
    }
  }
  if (OnPlayerEnd) OnPlayerEnd();
}
