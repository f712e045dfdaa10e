// The two images of each gallery photo, a thumbnail ("th/th_" + name, made
// from the photo's thumbnail) and a resized photo ("foto/" + name), and the
// decision whether an existing one can stay, so that unchanged photos keep
// byte-identical outputs with their dates and are not uploaded again.
#pragma once

#include <cstdint>
#include <string>

#include "gallery/projects/HtmlProject.h"
#include "gallery/checker/ImageCRC.h"
#include "gallery/generate/TargetSize.h"

namespace GalleryImages {

// What one generation run hands each image.
struct TSiteImageRun {
  const THtmlProject& Project;  // the settings every image starts from
  TJPegChecker& Checker;        // of the photo folder, scanned
  JPegUtils::TCompressInfo Info;
};

// Makes target from source (the photo, or its thumbnail saved as a JPEG
// file) in mode (JPegUtils::kSitePhotoMode, kSiteThumbMode); orientation is
// the photo's EXIF orientation, by which source is stood upright. photoPath
// names the photo in the checker. In this order:
//  1. a missing target is made;
//  2. so is the target of a photo the checker calls changed (or does not know);
//  3. with the mode's keep box checked, a target whose size lies within
//     max +- tolerance stays, any other is made again;
//  4. without it, source is encoded as a trial, in memory; d = target's
//     size - trial's size as an unsigned 32-bit number: above 2048 the
//     trial replaces the target, otherwise it is dropped and the target
//     stays. So a larger trial always replaces the target, a
//     smaller one only when it saves more than 2048 bytes.
// Making the target is JPegUtils::CompressToTargetSize from the project's
// quality and step, never from what an image before came to, so that the
// same photo and settings give the same bytes. True when the target is there and
// acceptable afterwards; false when it could not be made (an existing target
// then stays) or a size text is no number.
bool MakeSiteImage(const std::string& photoPath, const std::string& source,
                   const std::string& target, std::uint8_t mode, int orientation,
                   TSiteImageRun& run);

// True when target is there but is no image of width x height, the size its
// photo has now: one an older version stretched to the box, or no JPEG.
// False for a missing target.
bool HasOtherSize(const std::string& target, int width, int height);

}  // namespace GalleryImages
