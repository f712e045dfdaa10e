#include "platform/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr char32_t kReplacementCode = 0xFFFD;

// One conversion descriptor for the life of the object.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts what it can of in into out; stops at the end or at a byte it
  // cannot take, and then returns false with in at that byte.
  bool Convert(std::string_view& in, std::string& out) {
    char buf[4096];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool whole = true;
    while (srcLeft > 0) {
      char* dst = buf;
      size_t dstLeft = sizeof buf;
      const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        whole = false;
        break;
      }
    }
    in = std::string_view(src, srcLeft);
    return whole;
  }

 private:
  iconv_t cd_;
};

// The UTF-8 character at the front of text and its length; U+FFFD and 1
// when the bytes there are no well-formed character.
char32_t FrontCharacter(std::string_view text, size_t& length) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  size_t n = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2, code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3, code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4, code = lead & 0x07u;
  }
  length = 1;
  if (n == 0 || text.size() < n) return kReplacementCode;
  for (size_t i = 1; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return kReplacementCode;
    code = code << 6 | (byte(i) & 0x3Fu);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return kReplacementCode;
  length = n;
  return code;
}

}  // namespace

std::string Windows1250ToUtf8(std::string_view bytes) {
  Converter converter("UTF-8", "WINDOWS-1250");
  if (!converter.Ok()) return std::string(bytes);
  std::string out;
  while (!converter.Convert(bytes, out)) {
    // An undefined byte: mark it and go on after it.
    out += kReplacement;
    bytes.remove_prefix(1);
  }
  return out;
}

bool EncodeWithReferences(std::string_view utf8, const std::string& charset, std::string& out) {
  out.clear();
  Converter converter(charset.c_str(), "UTF-8");
  if (!converter.Ok()) return false;
  while (!converter.Convert(utf8, out)) {
    size_t length = 1;
    const char32_t code = FrontCharacter(utf8, length);
    out += "&#" + std::to_string(static_cast<unsigned long>(code)) + ";";
    utf8.remove_prefix(length);
  }
  return true;
}

}  // namespace platform
