// Encoding of bitmaps as JPEG files.
#pragma once

#include <string>

#include "platform/jpeg/Bitmap.h"

namespace platform {

// Encodes picture as a JPEG of the given quality (clamped to 1..100),
// baseline or progressive, and saves it as path.
//
// The data go to a work file beside path (platform/WorkFile.h) that is
// renamed over path only when it is complete and flushed to disk: on failure
// path is left as it was and no partial file remains. A file already at path
// keeps its permission bits; one without any write permission is read-only
// and is not replaced. A link at path is replaced, never written through.
//
// Returns false when the picture is empty, inconsistent or larger than a
// JPEG can hold, when path is neither a regular file nor a link or is
// read-only, or on any file error.
[[nodiscard]] bool WriteJpegFile(const Bitmap& picture, const std::string& path, int quality,
                   bool progressive = false);

}  // namespace platform
