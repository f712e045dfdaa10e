// The error manager shared by the JPEG reader and writer. libjpeg's default
// one prints to stderr and calls exit(); this one returns control to the
// caller with longjmp and prints nothing.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace platform::jpeg_detail {

// REQUIRES: pub stays the first member, libjpeg sees only &pub.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

// Sets up err for one codec object: fatal errors, and the warnings that mean
// damaged image data (a truncated stream, a bad entropy code, a lost
// restart), jump to err.jump. Harmless warnings are ignored.
jpeg_error_mgr* InstallErrorManager(ErrorManager& err);

// Ends the current codec call: jumps to the jmp_buf of cinfo's error manager.
// REQUIRES: cinfo->err was set by InstallErrorManager.
[[noreturn]] void Fail(j_common_ptr cinfo);

}  // namespace platform::jpeg_detail
