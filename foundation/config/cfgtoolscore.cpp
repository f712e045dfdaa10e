#include "foundation/config/cfgtoolscore.h"

#include "foundation/StrFunc.h"

namespace cfgtoolscore {

namespace {

using winregcore::HKey;

struct RootWords {
  HKey root;
  std::string_view word;
  std::string_view switchWord;
  bool parsable;
};

constexpr RootWords kRoots[] = {
    {HKey::CurrentUser, "CURRENT_USER", "-currentuser", true},
    {HKey::LocalMachine, "LOCAL_MACHINE", "-localmachine", true},
    {HKey::ClassesRoot, "CLASSES_ROOT", "-classesroot", true},
    {HKey::Users, "USERS", "-users", true},
    {HKey::CurrentConfig, "CURRENT_CONFIG", "-currentconfig", true},
    {HKey::PerformanceData, "PERFORMANCE_DATA", "-performancedata", false},
    {HKey::DynData, "HKEY_DYN_DATA", "-dyndata", false},
};

const RootWords& Find(HKey root) {
  for (const RootWords& r : kRoots) {
    if (r.root == root) return r;
  }
  return kRoots[0];
}

}  // namespace

std::string RootWord(HKey root) { return std::string(Find(root).word); }
std::string SwitchWord(HKey root) { return std::string(Find(root).switchWord); }
bool IsUserRoot(HKey root) { return root == HKey::CurrentUser || root == HKey::CurrentConfig; }

bool ParseRootWord(std::string_view keyName, HKey& root) {
  const std::string word = StrFunc::UpperCaseCz(StrFunc::Trim(keyName.substr(0, keyName.find('\\'))));
  for (const RootWords& r : kRoots) {
    if (r.parsable && r.word == word) {
      root = r.root;
      return true;
    }
  }
  return false;
}

}  // namespace cfgtoolscore
