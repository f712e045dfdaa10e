// Names of the tag numbers the reader treats specially. A number means
// different things in different IFDs (GPS tag 1 is not Interoperability tag
// 1), so the names are grouped by the IFD kind that holds them.
#pragma once

#include <cstdint>

// IFD0 and IFD1.
namespace exif::tiff {
constexpr uint16_t kImageWidth = 256;
constexpr uint16_t kImageLength = 257;
constexpr uint16_t kCompression = 259;
constexpr uint16_t kImageDescription = 270;
constexpr uint16_t kMake = 271;
constexpr uint16_t kModel = 272;
constexpr uint16_t kStripOffsets = 273;
constexpr uint16_t kOrientation = 274;
constexpr uint16_t kRowsPerStrip = 278;
constexpr uint16_t kStripByteCounts = 279;
constexpr uint16_t kXResolution = 282;
constexpr uint16_t kYResolution = 283;
constexpr uint16_t kSoftware = 305;
constexpr uint16_t kDateTime = 306;
constexpr uint16_t kJpegOffset = 513;
constexpr uint16_t kJpegLength = 514;
constexpr uint16_t kYCbCrSubSampling = 530;
constexpr uint16_t kCopyright = 33432;
}  // namespace exif::tiff

// The Exif IFD.
namespace exif::photo {
constexpr uint16_t kExposureTime = 33434;
constexpr uint16_t kFNumber = 33437;
constexpr uint16_t kIsoSpeed = 34855;
constexpr uint16_t kExifVersion = 36864;
constexpr uint16_t kDateTimeOriginal = 36867;
constexpr uint16_t kDateTimeDigitized = 36868;
constexpr uint16_t kComponentsConfiguration = 37121;
constexpr uint16_t kCompressedBitsPerPixel = 37122;
constexpr uint16_t kShutterSpeedValue = 37377;
constexpr uint16_t kApertureValue = 37378;
constexpr uint16_t kBrightnessValue = 37379;
constexpr uint16_t kExposureBiasValue = 37380;
constexpr uint16_t kMaxApertureValue = 37381;
constexpr uint16_t kSubjectDistance = 37382;
constexpr uint16_t kFlash = 37385;
constexpr uint16_t kFocalLength = 37386;
constexpr uint16_t kUserComment = 37510;
constexpr uint16_t kSubSecTime = 37520;
constexpr uint16_t kSubSecTimeOriginal = 37521;
constexpr uint16_t kFlashPixVersion = 40960;
constexpr uint16_t kPixelXDimension = 40962;
constexpr uint16_t kPixelYDimension = 40963;
constexpr uint16_t kRelatedSoundFile = 40964;
constexpr uint16_t kFocalPlaneXResolution = 41486;
constexpr uint16_t kFocalPlaneYResolution = 41487;
constexpr uint16_t kFileSource = 41728;
constexpr uint16_t kSceneType = 41729;
constexpr uint16_t kCfaPattern = 41730;
}  // namespace exif::photo

// The Interoperability IFD.
namespace exif::interop {
constexpr uint16_t kIndex = 1;
constexpr uint16_t kVersion = 2;
constexpr uint16_t kRelatedImageFileFormat = 4096;
constexpr uint16_t kRelatedImageWidth = 4097;
constexpr uint16_t kRelatedImageLength = 4098;
}  // namespace exif::interop

// The GPS IFD.
namespace exif::gps {
constexpr uint16_t kVersion = 0;
constexpr uint16_t kLatitudeRef = 1;
constexpr uint16_t kLatitude = 2;
constexpr uint16_t kLongitudeRef = 3;
constexpr uint16_t kLongitude = 4;
constexpr uint16_t kAltitudeRef = 5;
constexpr uint16_t kAltitude = 6;
constexpr uint16_t kTimeStamp = 7;
constexpr uint16_t kDestLatitude = 20;
constexpr uint16_t kDestLongitude = 22;
constexpr uint16_t kDateStamp = 29;
constexpr uint16_t kDifferential = 30;
}  // namespace exif::gps

// Maker-note IFDs.
namespace exif::olympus {
constexpr uint16_t kSpecialMode = 512;
constexpr uint16_t kDigitalZoom = 516;
constexpr uint16_t kFirmware = 519;
constexpr uint16_t kPictureInfo = 520;
constexpr uint16_t kSerialNumber = 4122;
constexpr uint16_t kImageWidth = 4142;
constexpr uint16_t kImageHeight = 4143;
}  // namespace exif::olympus

namespace exif::canon {
constexpr uint16_t kFlashParams = 1;
constexpr uint16_t kColorParams = 4;
constexpr uint16_t kImageType = 6;
constexpr uint16_t kFirmware = 7;
constexpr uint16_t kImageNumber = 8;
constexpr uint16_t kOwner = 9;
constexpr uint16_t kSerialNumber = 12;
}  // namespace exif::canon

// The first Nikon layout (kind 7).
namespace exif::nikon1 {
constexpr uint16_t kFocus = 8;
constexpr uint16_t kDigitalZoom = 10;
}  // namespace exif::nikon1

// The second Nikon layout (kind 8).
namespace exif::nikon2 {
constexpr uint16_t kIsoSettings = 2;
constexpr uint16_t kColorMode = 3;
constexpr uint16_t kQuality = 4;
constexpr uint16_t kWhiteBalance = 5;
constexpr uint16_t kSharpening = 6;
constexpr uint16_t kFocusMode = 7;
constexpr uint16_t kFlashSetting = 8;
constexpr uint16_t kIsoSelection = 15;
constexpr uint16_t kImageAdjustment = 128;
constexpr uint16_t kAdapter = 130;
}  // namespace exif::nikon2

namespace exif::casio {
constexpr uint16_t kObjectDistance = 6;
constexpr uint16_t kDigitalZoom = 10;
}  // namespace exif::casio

namespace exif::fujifilm {
constexpr uint16_t kVersion = 0;
}  // namespace exif::fujifilm
