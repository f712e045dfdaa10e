// Encoding of bitmaps as JPEG files.
#pragma once

#include <string>

#include "platform/jpeg/Bitmap.h"

namespace platform {

// Encodes picture as a JPEG of the given quality (clamped to 1..100),
// baseline or progressive, and saves it as path.
//
// The data go to a new file beside path that is renamed over path only when
// it is complete and flushed to disk: on failure path is left as it was and
// no partial file remains. A file already at path keeps its permission bits;
// one without any write permission is read-only and is not replaced.
//
// Returns false when the picture is empty, inconsistent or larger than a
// JPEG can hold, when path is not a regular file or is read-only, or on any
// file error.
bool WriteJpegFile(const Bitmap& picture, const std::string& path, int quality,
                   bool progressive = false);

}  // namespace platform
