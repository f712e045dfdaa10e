// Encoding of bitmaps as JPEG files and in memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/jpeg/Bitmap.h"

namespace platform {

// The longest text a JPEG comment segment holds.
constexpr std::size_t kMaxJpegComment = 65533;

// Encodes picture as a JPEG of the given quality (clamped to 1..100),
// baseline or progressive, and saves it as path. A non-empty comment is
// stored as a comment (COM) segment before the picture data.
//
// The data go to a work file beside path (platform/WorkFile.h) that is
// renamed over path only when it is complete and flushed to disk: on failure
// path is left as it was and no partial file remains. A file already at path
// keeps its permission bits; one without any write permission is read-only
// and is not replaced. A link at path is replaced, never written through.
//
// Returns false when the picture is empty, inconsistent or larger than a
// JPEG can hold, when the comment is longer than kMaxJpegComment, when path
// is neither a regular file nor a link or is read-only, or on any file error.
[[nodiscard]] bool WriteJpegFile(const Bitmap& picture, const std::string& path, int quality,
                                 bool progressive = false, std::string_view comment = {});

// Encodes picture as WriteJpegFile does, into out instead of a file: the
// bytes are those WriteJpegFile would save. Returns false, with out empty,
// when the picture is empty, inconsistent or larger than a JPEG can hold, or
// the comment is longer than kMaxJpegComment.
[[nodiscard]] bool EncodeJpeg(const Bitmap& picture, int quality, std::string& out,
                              bool progressive = false, std::string_view comment = {});

}  // namespace platform
