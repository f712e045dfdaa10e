// Writing one generated page: built as UTF-8 text, encoded into the
// character set it declares, and put in place only when its content
// changed, so that an unchanged page keeps its file and date and is not
// uploaded again.
#pragma once

#include <string>

namespace PageFile {

// Marks in a page's text the place of the one part that changes every run by
// itself, the generation date. HtmlText::Escape never lets it through.
constexpr char kDateMark = '\x01';

enum class TWriteResult { kWritten, kKept, kFailed };

// Writes page (UTF-8 holding at most one kDateMark, where date goes) to
// target, encoded into charset (platform::EncodeWithReferences: a letter the
// set lacks becomes a numeric reference). An existing target that differs
// from the new page at most in the date stays as it is (kKept): the date
// then tells when the page's content last changed. Otherwise the page is
// written whole as target + ".new_ver" and put in place by
// ImageCRC::ReplaceFile (kWritten). kFailed when the character set is
// unknown or the page cannot be written; the target is then as it was.
TWriteResult Write(const std::string& target, const std::string& page, const std::string& charset,
                   const std::string& date);

}  // namespace PageFile
