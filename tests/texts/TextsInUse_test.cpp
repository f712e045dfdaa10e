// Every text number the program's code asks for by a number or a named
// constant has a built-in text: a window would otherwise show an empty
// caption, and no language file could fill it in.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>

#include "platform/TextLines.h"
#include "tests/support/TestSupport.h"
#include "texts/texty.h"

namespace {

namespace fs = std::filesystem;

// The numbers one source asks for: the literal numbers and the constants
// "constexpr int kName = n;" of that source given to GetText() or Text().
std::vector<int> AskedFor(const std::string& source) {
  static const std::regex constant(R"(constexpr\s+int\s+(k\w+)\s*=\s*(\d+)\s*;)");
  static const std::regex call(R"(\b(?:GetText|Text)\(([^()]*)\))");
  static const std::regex token(R"(\b(?:\d+|k\w+)\b)");
  std::map<std::string, int> constants;
  std::vector<std::string> calls;
  std::smatch m;
  // Line by line, and only the lines that may match: the whole program's
  // sources are read.
  for (const std::string& line : platform::SplitLines(source)) {
    if (line.find("constexpr int") != std::string::npos && std::regex_search(line, m, constant))
      constants[m[1]] = std::stoi(m[2]);
    if (line.find("Text(") == std::string::npos) continue;
    for (std::sregex_iterator c(line.begin(), line.end(), call), end; c != end; ++c)
      calls.push_back((*c)[1]);
  }
  std::vector<int> numbers;
  for (const std::string& argument : calls) {
    for (std::sregex_iterator t(argument.begin(), argument.end(), token), end; t != end; ++t) {
      const std::string word = t->str();
      if (word[0] != 'k') {
        numbers.push_back(std::stoi(word));
      } else if (const auto it = constants.find(word); it != constants.end()) {
        numbers.push_back(it->second);
      }
    }
  }
  return numbers;
}

TEST(TextsInUse, FindsTheNumbersOfACall) {
  EXPECT_EQ(AskedFor("constexpr int kTextTry = 290;\nconstexpr int kTextLevel = 291;\n"
                     "x(Language::GetText(trying ? kTextTry : kTextLevel) + Text(35));\n"
                     "Label->setText(Text(kUnknown)); QString Text(int number);"),
            (std::vector<int>{290, 291, 35}));
}

TEST(TextsInUse, EveryNumberAskedForHasABuiltInText) {
  int asked = 0;
  for (const char* folder : {"app", "photos", "gallery"}) {
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(QUILLMARSH_SOURCE_DIR) / folder)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      for (int n : AskedFor(testsupport::ReadFileBytes(entry.path().string()))) {
        ++asked;
        EXPECT_NE(texty::BuiltInText(n), "") << entry.path().string() << " asks for text " << n;
      }
    }
  }
  EXPECT_GT(asked, 0);
}

}  // namespace
