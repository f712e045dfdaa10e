#include "platform/TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

std::string Windows1250ToUtf8(std::string_view bytes) {
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
  std::string out;
  char buf[4096];
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    const size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    out.append(buf, static_cast<size_t>(dst - buf));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      // An undefined byte: mark it and go on after it.
      out += kReplacement;
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace platform
