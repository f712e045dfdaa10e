// Editing the photo shown in the main window: its comment and GPS position,
// saving them into the photo, and the GPS places around the position.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "app/browser/Main.h"
#include "app/dialogs/locationname.h"
#include "app/places/GPSLocations.h"
#include "app/start/GlobalWindows.h"
#include "app/widgets/GpsGroup.h"
#include "app/widgets/SlotGuard.h"
#include "foundation/StrFunc.h"
#include "metadata/exif.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "texts/Language.h"

namespace {

constexpr int kTextSave = 504;
constexpr int kTextSaveQuestion = 512;
constexpr int kTextError = 516;
constexpr int kTextNotSaved = 620;
constexpr int kTextOnlyCommentSaved = 741;
constexpr int kTextPositionNotSaved = 742;
constexpr int kTextDropUnsaved = 743;
constexpr int kTextCannotMakeOwnFolder = 744;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string TextOf(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

void TMainForm::ConnectEditing() {
  using SlotGuard::Handler;
  connect(Note, &QPlainTextEdit::textChanged, this, Handler(this, &TMainForm::NoteChange));
  connect(Button1, &QPushButton::clicked, this, Handler(this, &TMainForm::Button1Click));
  connect(GpsSaveButton, &QPushButton::clicked, this,
          Handler(this, &TMainForm::GpsSaveButtonClick));
  GPSGroup->OnEdit = [this](TGpsPart part) { GpsEdited(part); };
  GPSGroup->OnButtons = [this] { UpdateGpsButtons(); };
}

void TMainForm::ClearChangedMarks() {
  latitudeChanged_ = false;
  longitudeChanged_ = false;
  altitudeChanged_ = false;
}

void TMainForm::GpsEdited(TGpsPart part) {
  switch (part) {
    case TGpsPart::kLatitude:
      latitudeChanged_ = true;
      break;
    case TGpsPart::kLongitude:
      longitudeChanged_ = true;
      break;
    case TGpsPart::kAltitude:
      altitudeChanged_ = true;
      break;
  }
  SetModified(true);
}

void TMainForm::NoteChange() {
  // The program fills Note while it is read-only.
  if (Note->isReadOnly()) return;
  const int length = static_cast<int>(Note->toPlainText().size());
  if (length > noteLimit_) {
    // What was just typed or pasted in front of the cursor is cut to fit,
    // as a field with a length limit refuses it.
    QTextCursor cursor = Note->textCursor();
    const int excess = length - noteLimit_;
    const int start = std::max(0, cursor.position() - excess);
    cursor.setPosition(start);
    cursor.setPosition(start + excess, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    return;
  }
  noteLimit_ = std::max(kMaxNoteLength, length);
  SetModified(true);
}

bool TMainForm::AskSaveChanges() {
  if (currentFile_.empty() || !modified_) return true;
  std::string unsaved;
  if (platform::ShowMessageBox(Language::GetText(kTextSaveQuestion),
                               Language::GetText(kTextSave) + "?",
                               platform::MessageButtons::YesNoCancel,
                               platform::MessageIcon::Question) == platform::MessageAnswer::Yes &&
      !WriteExif(unsaved) &&
      // Nothing typed is dropped unless the user says so.
      platform::ShowMessageBox(unsaved + "\n\n" + Language::GetText(kTextDropUnsaved),
                               Language::GetText(kTextError), platform::MessageButtons::YesNo,
                               platform::MessageIcon::Warning) != platform::MessageAnswer::Yes)
    return false;
  // Saved or dropped: nothing is asked again before the next photo.
  SetModified(false);
  ClearChangedMarks();
  return true;
}

bool TMainForm::SaveExif() {
  std::string unsaved;
  if (WriteExif(unsaved)) return true;
  platform::ShowMessageBox(unsaved, Language::GetText(kTextError), platform::MessageButtons::Ok,
                           platform::MessageIcon::Error);
  return false;
}

bool TMainForm::WriteExif(std::string& unsaved) {
  const bool gpsEdited = latitudeChanged_ || longitudeChanged_ || altitudeChanged_;
  HromadneAkce::TGpsPosition position;
  GpsFields::TCheck check{GpsFields::TProblem::kEmpty, HromadneAkce::TGpsFieldError::None};
  if (gpsEdited) check = GPSGroup->CheckPosition(position);
  const bool refused =
      check.problem != GpsFields::TProblem::kNone && check.problem != GpsFields::TProblem::kEmpty;
  reader_->SetUserComment(Note->toPlainText().toStdString());
  // A position that may not be written stays in its fields; the comment is
  // written without it.
  const bool comment = reader_->CommentChanged();
  if (refused && !comment) {
    unsaved = GpsFields::ProblemText(check) + "\n\n" + Language::GetText(kTextPositionNotSaved);
    return false;
  }
  if (check.problem == GpsFields::TProblem::kNone) SetPosition(position);
  if (!reader_->SaveChanges()) {
    unsaved = Language::GetText(kTextNotSaved) + "\n\n" + currentFile_;
    // A comment is rebuilt in the private temporary folder.
    std::string problem;
    if (platform::PrivateTempDir(problem).empty())
      unsaved += "\n\n" + Language::GetText(kTextCannotMakeOwnFolder) + "\n" + problem;
    return false;
  }
  // The rows and fields show what the photo holds now (the reader has read
  // it again): an emptied position, which is not removed, comes back.
  ShowRows(*reader_);
  if (refused) {
    unsaved = GpsFields::ProblemText(check) + "\n\n" + Language::GetText(kTextOnlyCommentSaved);
    return false;
  }
  ShowGps(*reader_);
  SetModified(false);
  ClearChangedMarks();
  return true;
}

void TMainForm::SetPosition(const HromadneAkce::TGpsPosition& p) {
  // The reader flags only values that differ from those read, and a photo
  // whose position is incomplete gets a new GPS block holding only the
  // flagged ones: there, both coordinates are written whole.
  const bool whole = !reader_->IsGPSValid();
  if (whole) {
    reader_->SetLatitude(-1, -1, p.north, -1);
    reader_->SetLongitude(-1, -1, p.east, -1);
  }
  if (whole || latitudeChanged_)
    reader_->SetLatitude(p.latDegrees, p.latMinutes, p.north, p.latSeconds);
  if (whole || longitudeChanged_)
    reader_->SetLongitude(p.lonDegrees, p.lonMinutes, p.east, p.lonSeconds);
  if (altitudeChanged_ && p.hasAltitude) reader_->SetAltitude(p.altitude);
}

void TMainForm::Save1Click() {
  Save1->setEnabled(false);
  SaveExif();
  EnableItem(Save1, modified_);
}

void TMainForm::UpdateGpsButtons() {
  const GpsFields::TCoordinate lat = GPSGroup->Latitude();
  const GpsFields::TCoordinate lon = GPSGroup->Longitude();
  const bool numbers = GpsFields::DecimalsAreNumbers(lat, lon);
  GpsSaveButton->setEnabled(numbers);
  const TfrmGPS* places = GlobalWindows::Get().frmGPS;
  int index = -1;
  if (numbers && places != nullptr)
    index = places->FindLocation(StrFunc::Trim(lat.decimal), StrFunc::Trim(lon.decimal));
  const std::string name = places != nullptr ? places->LocationNameAt(index) : "";
  GpsSaveButton->setText(index >= 0 ? "Loc" : ">> DB");
  GpsSaveButton->setToolTip(Q(name));
  lbLocation->setText(Q(name));
}

void TMainForm::Button1Click() {
  TfrmGPS* places = GlobalWindows::Get().frmGPS;
  TPickedPlace place;
  if (places == nullptr || !places->PickPlace(place)) return;
  // The fields' handlers carry the place into the degree fields and mark it.
  GPSGroup->GoogleSirka->setText(Q(place.lat));
  GPSGroup->GoogleDelka->setText(Q(place.lon));
  GPSGroup->GpsVyska->setText(Q(place.alt));
}

void TMainForm::GpsSaveButtonClick() {
  TfrmGPS* places = GlobalWindows::Get().frmGPS;
  TfrmEditStr* editor = GlobalWindows::Get().frmEditStr;
  if (places == nullptr || editor == nullptr) return;
  HromadneAkce::TGpsPosition position;
  const GpsFields::TCheck check = GPSGroup->CheckPosition(position);
  if (check.problem != GpsFields::TProblem::kNone) {
    TGpsGroup::TellProblem(check);
    return;
  }
  editor->EditStr->clear();
  if (editor->exec() != QDialog::Accepted) return;
  const std::string name = StrFunc::Trim(editor->EditStr->text().toStdString());
  if (name.empty()) return;
  places->AddLocation(TextOf(GPSGroup->GoogleSirka), TextOf(GPSGroup->GoogleDelka),
                      TextOf(GPSGroup->GpsVyska), name);
  UpdateGpsButtons();
}

void TMainForm::GPSLocations1Click() {
  if (TfrmGPS* places = GlobalWindows::Get().frmGPS) places->Execute(false);
  // A place stored or removed there may name the position shown.
  UpdateGpsButtons();
}
