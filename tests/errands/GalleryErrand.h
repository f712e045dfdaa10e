// The repeated steps of the gallery errand: typing into a field, the gallery looked at in
// headless Chromium, what the FTP server stored, and the files of a folder
// with their dates.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "gallery/generate/GalleryRecord.h"
#include "tests/support/FtpTestServer.h"
#include "tests/support/TestSupport.h"

namespace galleryerrand {

// Types text into a field as the user does, key by key; letters beyond
// ASCII as key events with their text.
template <typename Field>
void TypeKeys(Field* field, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80)
      QTest::keyClick(field, c.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// Types text into edit, replacing what it held.
inline void Type(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  TypeKeys(edit, text);
}

// What the gallery check in headless Chromium saw of a generated gallery.
struct TBrowserCheck {
  bool passed = false;
  // Every page it loaded, below the gallery's folder.
  std::set<std::string> pages;
  // What the check printed, for the failure message.
  std::string output;
};

// Every page reachable from the gallery's two framesets loaded over HTTP,
// and everything each refers to resolving, by the browser test's --gallery
// mode.
inline TBrowserCheck CheckInBrowser(const std::string& gallery) {
  TBrowserCheck check;
  check.output = testsupport::CommandOutput("/usr/bin/python3 '" QUILLMARSH_GALLERY_CHECK "' --gallery '" +
                                            gallery + "'; echo \"exit $?\"");
  std::istringstream lines(check.output);
  for (std::string line; std::getline(lines, line);) {
    if (const size_t at = line.find("page: "); at != std::string::npos) check.pages.insert(line.substr(at + 6));
    if (line == "exit 0") check.passed = true;
  }
  return check;
}

// The files the FTP server was asked to store (STOR) after the first
// `mark` lines of its record, below the folder `below` ("/www/trip/"), and
// the new mark.
inline std::set<std::string> StoredSince(const std::string& record, size_t& mark, const std::string& below) {
  const std::vector<std::string> lines = ftptest::ReadLines(record);
  std::set<std::string> stored;
  for (size_t i = mark; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("STOR ", 0) != 0) continue;
    const std::string path = line.substr(5);
    stored.insert(path.rfind(below, 0) == 0 ? path.substr(below.size()) : path);
  }
  mark = lines.size();
  return stored;
}

// A file's content and date.
struct TFileState {
  std::string bytes;
  std::filesystem::file_time_type time;
  bool operator==(const TFileState&) const = default;
};

// Every file of the gallery in folder (paths below it) with its content and
// date; its record stays at home, as publishing sends only the subfolders.
inline std::map<std::string, TFileState> Files(const std::string& folder) {
  namespace fs = std::filesystem;
  std::map<std::string, TFileState> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file() && entry.path() != fs::path(folder) / GalleryRecord::kRecordName)
      files[fs::relative(entry.path(), folder).string()] = {testsupport::ReadFileBytes(entry.path().string()),
                                                            entry.last_write_time()};
  return files;
}

}  // namespace galleryerrand
