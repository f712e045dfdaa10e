// What every errand shares: a fresh home for the program's data, the
// program's global windows made as start-up makes them, the three ways each
// errand is run (Czech, English chosen from the Language menu, a damaged
// photo among the others), and the photos copied for it.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <string>

#include "app/browser/Main.h"
#include "app/start/GlobalWindows.h"
#include "foundation/Win32CRC.h"
#include "foundation/appcore.h"
#include "foundation/config/cfgtools.h"
#include "tests/support/TestSupport.h"
#include "tests/windows/FindNamed.h"
#include "tests/windows/WindowTestApp.h"
#include "texts/Language.h"

namespace errand {

enum class Variant { Czech, English, DamagedPhoto };

inline std::string VariantName(const ::testing::TestParamInfo<Variant>& info) {
  switch (info.param) {
    case Variant::Czech: return "Czech";
    case Variant::English: return "English";
    case Variant::DamagedPhoto: return "DamagedPhoto";
  }
  return "Unknown";
}

inline const auto kVariants =
    ::testing::Values(Variant::Czech, Variant::English, Variant::DamagedPhoto);

// The name of the damaged photo AddDamagedPhoto puts into a folder.
inline const char kDamagedName[] = "damaged.jpg";

// Where the first scan (SOS) of a JPEG file's bytes begins, found by walking
// its segments; npos when there is none.
inline size_t FirstScanAt(const std::string& bytes) {
  const auto at = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  size_t pos = 2;
  while (pos + 4 <= bytes.size() && at(pos) == 0xFF) {
    if (at(pos + 1) == 0xDA) return pos;
    if (at(pos + 1) == 0xFF) {
      ++pos;  // a fill byte
      continue;
    }
    pos += 2 + (size_t(at(pos + 2)) << 8 | at(pos + 3));
  }
  return std::string::npos;
}

// A checksum of a photo's picture: its bytes from the first scan to the end
// of the file, so that the EXIF and its thumbnail may change around it.
// Empty when no scan is found.
inline std::string PictureChecksum(const std::string& path) {
  const std::string bytes = testsupport::ReadFileBytes(path);
  const size_t scan = FirstScanAt(bytes);
  if (scan == std::string::npos) return {};
  const uint32_t crc = Win32CRC::BufferCRC32(bytes.data() + scan, int64_t(bytes.size() - scan));
  return std::to_string(crc) + "/" + std::to_string(bytes.size() - scan);
}

// Puts a photo cut off half-way through its picture (its EXIF readable, its
// picture not) into folder, beside the errand's good photos; returns its
// path.
inline std::string AddDamagedPhoto(const std::string& folder, const std::string& from) {
  const std::string bytes = testsupport::ReadFileBytes(from);
  const size_t scan = std::min(FirstScanAt(bytes), bytes.size());
  const std::string path = folder + "/" + kDamagedName;
  testsupport::WriteFileBytes(path, bytes.substr(0, scan + (bytes.size() - scan) / 2));
  return path;
}

// Chooses an item through the window's menus by the captions shown ("&"
// left out), as the user clicks through them; fails the test when one is
// not there or the item is disabled.
inline void ChooseMenu(const QMainWindow& window, std::initializer_list<QString> captions) {
  QList<QAction*> items = window.menuBar()->actions();
  QString path;
  size_t left = captions.size();
  for (const QString& caption : captions) {
    path += (path.isEmpty() ? "" : " > ") + caption;
    --left;
    QAction* found = nullptr;
    for (QAction* item : items)
      if (QString(item->text()).remove('&') == caption) found = item;
    if (found == nullptr) {
      ADD_FAILURE() << "no menu item " << path.toStdString();
      return;
    }
    if (left == 0) {
      EXPECT_TRUE(found->isEnabled()) << path.toStdString();
      found->trigger();
    } else if (found->menu() == nullptr) {
      ADD_FAILURE() << "no menu " << path.toStdString();
      return;
    } else {
      items = found->menu()->actions();
    }
  }
}

class ErrandTest : public ::testing::TestWithParam<Variant> {
 protected:
  void SetUp() override {
    WindowTestApp();
    appcore::SetFormApplicationInitialized();
    namespace fs = std::filesystem;
    fs::create_directories(home.Path() + "/data/lng");
    fs::copy_file(QUILLMARSH_PROGRAM_LNG "/English.lng", home.Path() + "/data/lng/English.lng");
    TConfig config;
    config.OpenRegistryDefault(false, "Quillmarsh");
    config.WriteInteger("Language", 0x0405);
  }
  void TearDown() override {
    GlobalWindows::Destroy();
    Language::LoadLanguage("DEFAULT");
  }

  bool English() const { return GetParam() == Variant::English; }
  bool Damaged() const { return GetParam() == Variant::DamagedPhoto; }

  // The named places the photographer stored on an earlier day.
  void StoreKnownPlaces() const {
    testsupport::WriteFileBytes(home.Path() + "/data/quillmarsh.gps",
                                "50.7361|15.7399|1602|Sněžka\r\n49.1951|16.6068||Brno\r\n");
  }

  // The program's windows as start-up makes them, in Czech; in the English
  // run the user then picks English from the main window's Language menu.
  TMainForm& StartProgram() {
    GlobalWindows::Create(false);
    TMainForm& form = *GlobalWindows::Get().MainForm;
    if (English()) ChooseLanguage(form, "English");
    return form;
  }

  // The Czech or the English caption, as the run's language shows it.
  const char* Text(const char* czech, const char* english) const {
    return English() ? english : czech;
  }

  static void ChooseLanguage(TMainForm& form, const QString& name) {
    for (QAction* item : FindNamed<QAction>(form, "Language")->menu()->actions())
      if (item->text() == name) {
        item->trigger();
        return;
      }
    ADD_FAILURE() << "no language " << name.toStdString();
  }

  testsupport::ScopedHome home;
  testsupport::ScopedEnv locale{"LC_ALL", "C"};
};

}  // namespace errand
