#include "platform/jpeg/JpegError.h"

#include <algorithm>
#include <array>

#include <jerror.h>

namespace platform::jpeg_detail {
namespace {

// Warnings after which the decoded picture is not the one stored: libjpeg
// would fill the missing part with grey and carry on. Extraneous bytes before
// a marker are not among them: some cameras pad their data that way and the
// picture is still whole.
constexpr std::array kDamageWarnings = {
    JWRN_ARITH_BAD_CODE, JWRN_BOGUS_PROGRESSION, JWRN_HIT_MARKER,
    JWRN_HUFF_BAD_CODE, JWRN_JPEG_EOF, JWRN_MUST_RESYNC,
};

void EmitMessage(j_common_ptr cinfo, int msgLevel) {
  if (msgLevel >= 0) {
    return;  // trace messages
  }
  const int code = cinfo->err->msg_code;
  if (std::find(kDamageWarnings.begin(), kDamageWarnings.end(), code) != kDamageWarnings.end()) {
    Fail(cinfo);
  }
}

void OutputMessage(j_common_ptr) {}

}  // namespace

void Fail(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

jpeg_error_mgr* InstallErrorManager(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = Fail;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
  return &err.pub;
}

}  // namespace platform::jpeg_detail
