// The registry storage as the settings object opens it: the registry store
// together with the names by which its key is known, and the translation of
// INI section headers between section paths below the key and full key names
// ("[Desktop]" and "[CURRENT_USER\SOFTWARE\OSTREVAN\Quillmarsh\Desktop]"),
// so that an exported text says which key it came from.
#pragma once

#include <string>

#include "foundation/config/MemIniFile.h"
#include "foundation/config/cfgtoolsreg.h"

class TConfig;

class TRegisterIniFile : public TRegIniFile {
 public:
  // owner is the settings object that opened the store (may be null); it is
  // not owned.
  TRegisterIniFile(winregcore::HKey root, const std::string& path, TConfig* owner);

  // The root word and "\": "CURRENT_USER\".
  const std::string& RootName() const { return rootName_; }
  // The path below the root without leading and trailing "\".
  const std::string& KeyPath() const { return keyPath_; }
  // A file name for an INI copy of the key: the key path with "\" and "/"
  // turned into "_" ("root" for the root itself), the root's switch word and
  // ".ini": "SOFTWARE_OSTREVAN_Quillmarsh-currentuser.ini".
  const std::string& FileName() const { return fileName_; }
  // True for the current user's and the current configuration's roots.
  bool UserRoot() const { return userRoot_; }
  TConfig* Owner() const { return owner_; }

  // The full key name of a section: RootName, the key path and the section
  // ("" names the opened key itself).
  std::string KeyNameOf(const std::string& section) const;
  // The section of a full key name, compared without regard to letter case.
  // Raises EInvalidSection "Cannot parse name " + name when the name does not
  // begin with a root word, EInvalidRegisterKey "Cannot parse HKey " + its
  // root word + " as HKey " + the store's root word for another root, and
  // EInvalidRegisterKey "Cannot parse name " + name when it does not lie
  // below the opened key.
  std::string SectionOf(const std::string& keyName) const;

  // Rewrite every section header line ("[...]", blanks around allowed) of an
  // INI text: section paths to full key names, and back. Other lines stay as
  // they are. When a header cannot be translated the exception of SectionOf
  // is raised and the lines are left unchanged.
  void SectionsToKeyNames(TStringList& lines) const;
  void KeyNamesToSections(TStringList& lines) const;

 private:
  winregcore::HKey root_;
  std::string rootName_;
  std::string keyPath_;
  std::string fileName_;
  bool userRoot_;
  TConfig* owner_;
};
