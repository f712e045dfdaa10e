// The texts of the special renumbering: checks of the number edits, the
// question before a run and the report after it.
#include <cstdlib>

#include "foundation/StrFunc.h"
#include "photos/ReportText.h"
#include "photos/renumber/edit_speccislovaniInternal.h"
#include "photos/renumber/edit_speccislovaniWork.h"
#include "texts/Language.h"

namespace edit_speccislovani {

namespace {

constexpr int kTextStartNotNumber = 79;
constexpr int kTextFromNotNumber = 80;
constexpr int kTextShiftNotNumber = 81;
constexpr int kTextShiftZero = 82;
constexpr int kTextRenumberAsk = 83;
constexpr int kTextByName = 84;
constexpr int kTextByTime = 85;
constexpr int kTextInFolder = 86;
constexpr int kTextInFolderAndSubfolders = 87;
constexpr int kTextFolderByFolder = 88;
constexpr int kTextAsOneFolder = 89;
constexpr int kTextFilesBeginning = 90;
constexpr int kTextOpenGap = 91;
constexpr int kTextCloseGap = 92;
constexpr int kTextFromNumber = 93;
constexpr int kTextInclusive = 94;
constexpr int kTextMoreDigits = 95;
constexpr int kTextFewerDigits = 96;
constexpr int kTextNewPrefix = 97;
constexpr int kTextAlsoSubfolders = 98;
constexpr int kTextOnlyFolder = 99;
constexpr int kTextStartQuestion = 100;
constexpr int kTextFinished = 101;
constexpr int kTextInterruptedExact = 102;
constexpr int kTextInterrupted = 103;
constexpr int kTextUnreadable = 66;
constexpr int kTextFailed = 104;
constexpr int kTextDisplaced = 105;

std::string Text(int number) { return Language::GetText(number); }

TMessage Message(int text, int caption) { return {Text(text), Text(caption)}; }

bool ReadNumber(const std::string& text, int32_t& value) {
  return StrFunc::TryStrToIntS(StrFunc::Trim(text), value);
}

std::string PrefixPhrase(const TOptions& o) {
  return Text(kTextFilesBeginning) + " \"" + StrFunc::Trim(o.prefix) + "_\" ";
}

std::string Scope(const TOptions& o) {
  return Text(o.subdirs ? kTextAlsoSubfolders : kTextOnlyFolder) + "\n" +
         Text(kTextStartQuestion);
}

std::string RenumberQuestion(const TOptions& o) {
  const std::string root = StrFunc::Trim(o.root);
  const std::string q =
      Text(kTextRenumberAsk) + " " + Text(o.byTime ? kTextByTime : kTextByName) + " ";
  if (!o.subdirs) return q + Text(kTextInFolder) + " " + root + " ?";
  return q + Text(kTextInFolderAndSubfolders) + " " + root + " ?\n\n" +
         Text(o.continuous ? kTextAsOneFolder : kTextFolderByFolder);
}

std::string ShiftQuestion(const TOptions& o) {
  return PrefixPhrase(o) + Text(o.shift < 0 ? kTextCloseGap : kTextOpenGap) + " " +
         std::to_string(std::llabs(o.shift)) + " " + Text(kTextFromNumber) + " " +
         std::to_string(o.from) + " " + Text(kTextInclusive) + "\n\n" + Scope(o);
}

}  // namespace

TMessage ReadNumbers(const std::string& startText, const std::string& fromText,
                     const std::string& shiftText, TOptions& options) {
  if (options.mode == TMode::Renumber && !ReadNumber(startText, options.start))
    return Message(kTextStartNotNumber, kCaptionError);
  if (options.mode != TMode::Shift) return {};
  if (!ReadNumber(fromText, options.from)) return Message(kTextFromNotNumber, kCaptionError);
  if (!ReadNumber(shiftText, options.shift)) return Message(kTextShiftNotNumber, kCaptionError);
  if (options.shift == 0) return Message(kTextShiftZero, kCaptionInformation);
  return {};
}

std::string Question(const TOptions& options) {
  switch (options.mode) {
    case TMode::Renumber:
      return RenumberQuestion(options);
    case TMode::Shift:
      return ShiftQuestion(options);
    case TMode::ChangePrefix:
      return Text(kTextNewPrefix) + " \"" + StrFunc::Trim(options.prefix) + "\"\n\n" +
             Scope(options);
    case TMode::MoreDigits:
      return PrefixPhrase(options) + Text(kTextMoreDigits) + "\n\n" + Scope(options);
    case TMode::FewerDigits:
      return PrefixPhrase(options) + Text(kTextFewerDigits) + "\n\n" + Scope(options);
  }
  return std::string();
}

TMessage detail::Refused(const std::string& text) { return {text, Text(kCaptionError)}; }

std::string Summary(const TResult& result) {
  std::string text;
  if (result.finished > 0)
    text = Text(kTextFinished) + " " + std::to_string(result.finished) + ".";
  if (result.interrupted)
    text += std::string(text.empty() ? "" : "\n") +
            Text(result.exact ? kTextInterruptedExact : kTextInterrupted);
  ReportText::AppendPart(text, Text(kTextUnreadable), result.unreadable);
  ReportText::AppendPart(text, Text(kTextFailed), result.failed);
  ReportText::AppendPart(text, Text(kTextDisplaced), result.displaced);
  return text;
}

}  // namespace edit_speccislovani
