// The project settings window, the project list and the main window's
// project commands, driven through their controls: defaults, editing with
// OK and cancel, the projects file they write, the project of each folder
// opened, unsaved changes, the list's delete rules and opening a project.
#include "app/projects/HtmlProjectSettings.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/browser/Main.h"
#include "app/dialogs/PBFolderDialog.h"
#include "app/dialogs/RenameFileForm.h"
#include "app/projects/ProjectList.h"
#include "app/start/GlobalWindows.h"
#include "foundation/DosFunc.h"
#include "gallery/projects/HtmlProjectRec.h"
#include "gallery/projects/HtmlProjectSettings.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/MessageHook.h"
#include "tests/windows/OnNextModal.h"
#include "tests/windows/GlobalWindowsTest.h"
#include "tests/windows/WindowTestApp.h"

namespace {

namespace fs = std::filesystem;
using platform::MessageAnswer;

class ProjectWindows : public GlobalWindowsTest {
 protected:
  void SetUp() override {
    GlobalWindowsTest::SetUp();
    fs::create_directories(Folder("photos"));
    fs::create_directories(Folder("web"));
  }

  std::string Folder(const std::string& name) const { return dir.File(name); }
  std::string AddPhoto(const std::string& folder, const std::string& name) {
    fs::create_directories(Folder(folder));
    fs::copy_file(testsupport::PhotoPath("Canon_40D.jpg"), Folder(folder) + "/" + name);
    return Folder(folder) + "/" + name;
  }
  template <typename T>
  T* Find(const QObject& window, const char* name) {
    return FindNamed<T>(window, name);
  }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(*form, name); }
  // Types text as keys; letters beyond ASCII as key events with their text.
  void Type(const char* name, const QString& text) {
    QLineEdit* edit = Edit(name);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(edit, c.toLatin1());
      } else {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
  }
  // Opens a photo with F3, as the user does.
  void Open(const std::string& photo) {
    OnNextModal<QFileDialog>([photo](QFileDialog& dialog) {
      dialog.selectFile(QString::fromStdString(photo));
      static_cast<QDialog&>(dialog).accept();
    });
    Find<QAction>(*main, "Open1")->trigger();
  }
  // A project stored as record number index for folder.
  void StoreProject(const std::string& name, const std::string& folder, const std::string& shortcut) {
    THtmlProject p;
    p.ProjectName = name;
    p.PhotoFolder = folder;
    p.HtmlDir = Folder("web/" + shortcut);
    p.Shortcut = shortcut;
    int index = -1;
    ASSERT_TRUE(HtmlProjectSettings::WriteProject(p, index));
  }
  std::vector<std::string> StoredNames() {
    std::vector<THtmlProject> projects;
    HtmlProjectSettings::ReadProjects(projects);
    std::vector<std::string> names;
    for (const THtmlProject& p : projects) names.push_back(p.ProjectName);
    return names;
  }

  // Boxes are answered as Esc does, unless a test gives answers.
  testsupport::TempDir dir;
};

TEST_F(ProjectWindows, SettingsStartWithTheirDefaultsAndTexts) {
  EXPECT_EQ(form->windowTitle(), "Nastavení projektu");
  EXPECT_EQ(form->ProjectIndex(), -1);
  EXPECT_EQ(form->PhotoQualityStep, 10);
  EXPECT_EQ(form->ThumbQualityStep, 6);
  for (const char* bar : {"ImageCompression", "TbCompression"}) {
    EXPECT_EQ(Find<QSlider>(*form, bar)->value(), 75);
    EXPECT_EQ(Find<QSlider>(*form, bar)->maximum(), 100);
  }
  const struct {
    const char* edit;
    const char* text;
  } edits[] = {{"ImgMaxSize", "40"}, {"ImgTolerance", "2"}, {"TbMaxSize", "2560"}, {"TbTolerance", "512"}};
  for (const auto& e : edits) {
    EXPECT_EQ(Edit(e.edit)->text().trimmed(), e.text) << e.edit;
    EXPECT_FALSE(Edit(e.edit)->inputMask().isEmpty()) << e.edit;
  }
  EXPECT_EQ(Edit("Shortcut")->maxLength(), 16);
  EXPECT_EQ(Find<QComboBox>(*form, "CharCode")->currentText(), "Windows-1250");
  EXPECT_EQ(Find<QComboBox>(*form, "CharCode")->count(), 3);
  EXPECT_EQ(Find<QComboBox>(*form, "WebLanguage")->currentText(), "Česky");
  EXPECT_FALSE(Find<QCheckBox>(*form, "ForceNote")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(*form, "DetailExifForWeb")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(*form, "KeepMaxImgSize")->isChecked());
  EXPECT_EQ(Find<QLabel>(*form, "Label13")->text(), "Adresář pro výsledné HTML");
  EXPECT_EQ(Find<QPushButton>(*form, "CancelButton")->text(), "Zruš");
  EXPECT_EQ(Edit("Shortcut")->toolTip(), "Použito pro název adresáře na FTP serveru");
  // What the window shows is what generation gets.
  const THtmlProject values = form->Values();
  EXPECT_EQ(values.CharCode, 2);
  EXPECT_EQ(values.WebLanguage, 1);
  EXPECT_EQ(values.FName, "img");
  // The photo shown carries the project's "force a comment" box.
  const std::string photo = AddPhoto("photos", "a.jpg");
  main->ShowFile(photo, false);
  EXPECT_FALSE(main->ForceNote());
  form->ForceNote->setChecked(true);
  main->ShowFile(photo, false);
  EXPECT_TRUE(main->ForceNote());
}

TEST_F(ProjectWindows, OkFollowsTheChecksAndCreatesTheOutputFolder) {
  form->NewProjectFor(Folder("photos"));
  EXPECT_EQ(Edit("HtmlDir")->text().toStdString(), Folder("photos") + "/html");
  EXPECT_EQ(Edit("Shortcut")->text(), "photos");
  OnNextModal<TForm2>([this](TForm2&) {
    QPushButton* ok = Find<QPushButton>(*form, "OKButton");
    Type("ProjectName", "ab");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(Find<QLabel>(*form, "ProblemLabel")->text(), "Jméno projektu musí mít aspoň 3 znaky.");
    Type("ProjectName", "Výlet");
    Type("HtmlDir", QString::fromStdString(Folder("photos")));
    EXPECT_FALSE(ok->isEnabled());
    Type("HtmlDir", QString::fromStdString(Folder("web/trip")));
    Type("Shortcut", "tr");
    EXPECT_FALSE(ok->isEnabled());
    Type("Shortcut", "trip");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(Find<QLabel>(*form, "ProblemLabel")->text().isEmpty());
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  EXPECT_TRUE(form->Execute());
  EXPECT_TRUE(fs::is_directory(Folder("web/trip")));
  EXPECT_TRUE(form->Unsaved());
  EXPECT_TRUE(Find<QAction>(*main, "Saveproject1")->isEnabled());
}

TEST_F(ProjectWindows, CancelPutsEveryValueBack) {
  form->NewProjectFor(Folder("photos"));
  form->OpenDir->Folder = "/start";
  const THtmlProject before = form->Values();
  OnNextModal<TForm2>([this](TForm2&) {
    Type("ProjectName", "Changed");
    Type("HtmlDir", "/elsewhere");
    Type("ImgMaxSize", "99");
    Find<QSlider>(*form, "TbCompression")->setValue(10);
    QTest::mouseClick(Find<QCheckBox>(*form, "ForceNote"), Qt::LeftButton);
    Find<QComboBox>(*form, "CharCode")->setCurrentIndex(0);
    form->OpenDir->Folder = "/browsed";
    QTest::mouseClick(Find<QPushButton>(*form, "CancelButton"), Qt::LeftButton);
  });
  EXPECT_FALSE(form->Execute());
  const THtmlProject after = form->Values();
  EXPECT_EQ(after.ProjectName, before.ProjectName);
  EXPECT_EQ(after.HtmlDir, before.HtmlDir);
  EXPECT_EQ(after.ImgMaxSize, before.ImgMaxSize);
  EXPECT_EQ(after.TbCompression, 75);
  EXPECT_FALSE(after.ForceNote);
  EXPECT_EQ(after.CharCode, 2);
  EXPECT_EQ(after.BrowseFolder, "/start");
  EXPECT_FALSE(form->Unsaved());
}

TEST_F(ProjectWindows, AFolderGetsItsStoredProjectOrANewOneAndSavingStoresIt) {
  const std::string photo = AddPhoto("Trip 2024.x", "IMG_1.jpg");
  Open(photo);
  EXPECT_EQ(form->ProjectIndex(), -1);
  EXPECT_EQ(Edit("HtmlDir")->text().toStdString(), Folder("Trip 2024.x") + "/html");
  EXPECT_EQ(Edit("Shortcut")->text(), "trip 2024");
  EXPECT_FALSE(form->Unsaved());

  // Ctrl+A on a new project asks for its settings first.
  GlobalWindows::Get().Form4->FName->setText("holiday");
  OnNextModal<TForm2>([this](TForm2& dialog) {
    Type("ProjectName", "Výlet");
    dialog.OKButtonClick();
  });
  Find<QAction>(*main, "Saveproject1")->trigger();
  EXPECT_EQ(form->ProjectIndex(), 0);
  EXPECT_FALSE(Find<QAction>(*main, "Saveproject1")->isEnabled());
  THtmlProject stored;
  ASSERT_TRUE(HtmlProjectSettings::ReadProject(0, stored));
  EXPECT_EQ(stored.PhotoFolder, Folder("Trip 2024.x"));
  EXPECT_EQ(stored.ProjectName, "Výlet");
  EXPECT_EQ(stored.FName, "holiday");
  EXPECT_TRUE(hook->Boxes().empty());

  // Another folder gets a new project; coming back finds the stored one.
  Open(AddPhoto("other", "a.jpg"));
  EXPECT_EQ(form->ProjectIndex(), -1);
  EXPECT_EQ(Edit("ProjectName")->text(), "");
  GlobalWindows::Get().Form4->FName->setText("changed");
  Open(photo);
  EXPECT_EQ(form->ProjectIndex(), 0);
  EXPECT_EQ(Edit("ProjectName")->text(), "Výlet");
  EXPECT_EQ(GlobalWindows::Get().Form4->FName->text(), "holiday");
  EXPECT_TRUE(hook->Boxes().empty());
}

TEST_F(ProjectWindows, UnsavedChangesAreOfferedBeforeAnotherFolderReplacesThem) {
  const std::string photo = AddPhoto("photos", "a.jpg");
  StoreProject("Stored", Folder("photos"), "stored");
  Open(photo);
  ASSERT_EQ(form->ProjectIndex(), 0);
  const std::string other = AddPhoto("other", "b.jpg");

  // Cancel: nothing opens, the edit stays.
  form->ProjectName->setText("Edited");
  form->FieldChange();
  hook->Answer(MessageAnswer::Cancel);
  Open(other);
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text, "Nastavení projektu bylo změněno. Chcete změny uložit?");
  EXPECT_EQ(hook->Boxes()[0].buttons, platform::MessageButtons::YesNoCancel);
  EXPECT_EQ(main->ImageDir(), Folder("photos"));
  EXPECT_EQ(Edit("ProjectName")->text(), "Edited");
  // No: the other folder opens, the edit is dropped.
  hook->Answer(MessageAnswer::No);
  Open(other);
  EXPECT_EQ(main->ImageDir(), Folder("other"));
  EXPECT_EQ(StoredNames(), std::vector<std::string>{"Stored"});
  // Yes: saved before the folder changes.
  Open(photo);
  form->ProjectName->setText("Edited again");
  form->FieldChange();
  hook->Answer(MessageAnswer::Yes);
  Open(other);
  EXPECT_EQ(hook->Boxes().size(), 3u);
  EXPECT_EQ(StoredNames(), std::vector<std::string>{"Edited again"});
  EXPECT_FALSE(form->Unsaved());
}

TEST_F(ProjectWindows, AFailedSaveIsToldAndTheCommandStays) {
  const std::string photo = AddPhoto("photos", "a.jpg");
  StoreProject("Stored", Folder("photos"), "stored");
  Open(photo);
  Type("ProjectName", "Edited");
  {
    testsupport::ScopedFileSizeLimit limit(100);
    Find<QAction>(*main, "Saveproject1")->trigger();
  }
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text.rfind("Projekt nelze uložit.", 0), 0u);
  EXPECT_TRUE(Find<QAction>(*main, "Saveproject1")->isEnabled());
  EXPECT_TRUE(form->Unsaved());
  EXPECT_EQ(StoredNames(), std::vector<std::string>{"Stored"});
}

TEST_F(ProjectWindows, ACollidingOutputFolderIsToldWithBothFolders) {
  StoreProject("Stored", Folder("photos"), "stored");
  fs::create_directories(Folder("web/stored"));
  fs::create_directories(Folder("mine"));
  form->NewProjectFor(Folder("mine"));
  Type("ProjectName", "Mine");
  const struct {
    std::string output;
    std::string text;
    std::string other;
  } cases[] = {
      {Folder("web/stored/mine"), "Adresář pro výsledné HTML nesmí být adresářem pro výsledné HTML jiného projektu",
       "Adresář pro výsledné HTML jiného projektu (Stored): " + Folder("web/stored")},
      {Folder(""), "Složka se zdrojovými obrázky nesmí být adresářem pro výsledné HTML",
       "Složka se zdrojovými obrázky: " + Folder("mine")},
  };
  for (const auto& c : cases) {
    Type("HtmlDir", QString::fromStdString(c.output));
    EXPECT_FALSE(Find<QPushButton>(*form, "OKButton")->isEnabled()) << c.output;
    const std::string shown = Find<QLabel>(*form, "ProblemLabel")->text().toStdString();
    EXPECT_EQ(shown.rfind(c.text, 0), 0u) << shown;
    EXPECT_NE(shown.find("Adresář pro výsledné HTML: " + c.output + "\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find(c.other), std::string::npos) << shown;
  }
}

TEST_F(ProjectWindows, AFullProjectListRefusesTheNewProjectAndSaysWhy) {
  std::string records;
  for (size_t i = 0; i < HtmlProjectSettings::kMaxProjects; ++i) {
    THtmlProject p;
    p.ProjectName = "p" + std::to_string(i);
    p.HtmlDir = "/nowhere/" + std::to_string(i);
    const HtmlProjectRec::THtmlProjectRec r = HtmlProjectRec::Pack(p);
    records.append(reinterpret_cast<const char*>(r.data()), r.size());
  }
  testsupport::WriteFileBytes(HtmlProjectSettings::GetProjectsFileName(), records);
  Open(AddPhoto("new", "a.jpg"));
  OnNextModal<TForm2>([this](TForm2& dialog) {
    Type("ProjectName", "New one");
    dialog.OKButtonClick();
  });
  Find<QAction>(*main, "Saveproject1")->trigger();
  ASSERT_EQ(hook->Boxes().size(), 1u);
  EXPECT_EQ(hook->Boxes()[0].text.rfind("Projekt nelze uložit: seznam projektů už má 20000 projektů", 0), 0u)
      << hook->Boxes()[0].text;
  EXPECT_EQ(form->ProjectIndex(), -1);
  EXPECT_TRUE(testsupport::ReadFileBytes(HtmlProjectSettings::GetProjectsFileName()) == records);
}

TEST_F(ProjectWindows, TheListDeletesAnyProjectButTheCurrentOne) {
  for (const char* name : {"first", "second", "third"}) {
    fs::create_directories(Folder(name));
    StoreProject(name, Folder(name), name);
  }
  std::string folder;
  ASSERT_TRUE(form->LoadProject(1, folder));
  TForm3 list(form);
  ASSERT_TRUE(HtmlProjectSettings::FillProjectGrid(*list.StringGrid1));
  QTableWidget* grid = list.StringGrid1;
  EXPECT_EQ(list.windowTitle(), "Seznam projektů");
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Jméno projektu");
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Složka se zdrojovými obrázky");
  EXPECT_EQ(grid->columnWidth(0), 284);
  EXPECT_EQ(grid->item(2, 1)->text().toStdString(), Folder("third"));
  EXPECT_EQ(list.BitBtn3->text(), "Smazat");

  grid->selectRow(1);
  list.BitBtn3Click();
  ASSERT_EQ(hook->Said(), std::vector<std::string>{"Informace|Nemůžete smazat aktuální projekt"});
  EXPECT_EQ(hook->Boxes()[0].icon, platform::MessageIcon::Warning);
  EXPECT_EQ(grid->rowCount(), 3);
  grid->selectRow(0);
  list.BitBtn3Click();
  EXPECT_EQ(form->ProjectIndex(), 0);
  EXPECT_EQ(grid->rowCount(), 2);
  grid->selectRow(1);
  list.BitBtn3Click();
  EXPECT_EQ(form->ProjectIndex(), 0);
  EXPECT_EQ(StoredNames(), std::vector<std::string>{"second"});
  form->ClearFields();
  grid->selectRow(0);
  list.BitBtn3Click();
  EXPECT_EQ(form->ProjectIndex(), -1);
  EXPECT_TRUE(StoredNames().empty());
  EXPECT_EQ(hook->Boxes().size(), 1u);
}

TEST_F(ProjectWindows, OnlyAProjectWhoseFolderExistsCanBePicked) {
  fs::create_directories(Folder("here"));
  StoreProject("gone", Folder("gone"), "gone");
  StoreProject("here", "  " + Folder("here") + "  ", "here");
  const struct {
    int row;
    bool ok;
    int picked;
  } cases[] = {{0, true, -1}, {1, true, 1}, {1, false, -1}};
  for (const auto& c : cases) {
    TForm3 list(form);
    HtmlProjectSettings::FillProjectGrid(*list.StringGrid1);
    list.StringGrid1->selectRow(c.row);
    OnNextModal<TForm3>([&c](TForm3& dialog) {
      QTest::mouseClick(c.ok ? dialog.BitBtn1 : dialog.BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(list.PickProject(), c.picked) << c.row;
  }
  // A double click on a row whose folder is gone does not close the list.
  TForm3 list(form);
  HtmlProjectSettings::FillProjectGrid(*list.StringGrid1);
  list.StringGrid1->selectRow(0);
  list.show();
  list.StringGrid1DblClick();
  EXPECT_TRUE(list.isVisible());
  list.StringGrid1->selectRow(1);
  list.StringGrid1DblClick();
  EXPECT_FALSE(list.isVisible());
  EXPECT_EQ(list.result(), QDialog::Accepted);
}

TEST_F(ProjectWindows, OpeningAProjectShowsItsFolderAndTheFirstActivationOffersTheList) {
  AddPhoto("second", "IMG_2.jpg");
  AddPhoto("second", "IMG_1.jpg");
  StoreProject("first", Folder("first-gone"), "first");
  StoreProject("second", Folder("second"), "second");
  OnNextModal<TForm3>([](TForm3& list) {
    list.StringGrid1->selectRow(1);
    QTest::mouseClick(list.BitBtn1, Qt::LeftButton);
  });
  main->show();
  for (int i = 0; i < 500 && form->ProjectIndex() != 1; ++i) QTest::qWait(10);
  ASSERT_EQ(form->ProjectIndex(), 1);
  EXPECT_EQ(main->ImageDir(), Folder("second"));
  EXPECT_EQ(main->Files().size(), 2u);
  EXPECT_FALSE(main->CurrentFile().empty());
  EXPECT_EQ(Edit("ProjectName")->text(), "second");
  EXPECT_FALSE(Find<QAction>(*main, "Saveproject1")->isEnabled());
  EXPECT_TRUE(Find<QAction>(*main, "Openproject1")->isEnabled());
  EXPECT_TRUE(Find<QAction>(*main, "Projectproperties1")->isEnabled());
  // The list opens on the first activation only.
  main->activateWindow();
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ProjectWindows, ASnapshotBringsBackTheWholeProjectState) {
  fs::create_directories(Folder("a"));
  StoreProject("a", Folder("a"), "aaa");
  form->NewProjectFor(Folder("b"));
  form->ProjectName->setText("unsaved b");
  form->ForceNote->setChecked(true);
  form->PhotoQualityStep = 5;
  GlobalWindows::Get().Form4->Step->setText("7");
  form->FieldChange();
  const TProjectState state = form->Snapshot();
  std::string folder;
  ASSERT_TRUE(form->LoadProject(0, folder));
  THtmlProject run = form->Values();
  run.TbCompression = 40;
  run.ThumbQualityStep = 3;
  form->TakeQualities(run);
  EXPECT_EQ(Find<QSlider>(*form, "TbCompression")->value(), 40);
  EXPECT_EQ(form->ThumbQualityStep, 3);
  form->Restore(state);
  EXPECT_EQ(form->ProjectIndex(), -1);
  EXPECT_TRUE(form->Unsaved());
  EXPECT_EQ(form->PhotoFolder(), Folder("b"));
  EXPECT_EQ(Edit("ProjectName")->text(), "unsaved b");
  EXPECT_TRUE(form->ForceNote->isChecked());
  EXPECT_EQ(form->PhotoQualityStep, 5);
  EXPECT_EQ(form->ThumbQualityStep, 6);
  EXPECT_EQ(Find<QSlider>(*form, "TbCompression")->value(), 75);
  EXPECT_EQ(GlobalWindows::Get().Form4->Step->text().trimmed(), "7");
  // Loading keeps the window's quality steps.
  ASSERT_TRUE(form->LoadProject(0, folder));
  EXPECT_EQ(form->PhotoQualityStep, 5);
}

}  // namespace
