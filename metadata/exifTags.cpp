#include "metadata/exif.h"

#include <algorithm>
#include <tuple>

#include "foundation/StrFunc.h"
#include "metadata/exifTables.h"

namespace exif {

namespace {

struct TagName {
  uint8_t kind;
  uint16_t tag;
  const char* name;
};

// Sorted by kind and tag.
constexpr TagName kTagNames[] = {
    {0, 270, "Image Description"},
    {0, 271, "Manufacturer of Digicam"},
    {0, 272, "Model of Digicam"},
    {0, 274, "Orientation"},
    {0, 282, "X-Resolution"},
    {0, 283, "Y-Resolution"},
    {0, 296, "Resolution Unit"},
    {0, 305, "Software of Digicam"},
    {0, 306, "Date/Time"},
    {0, 318, "Chromaticity of White Point"},
    {0, 319, "Chromaticity of the Primaries"},
    {0, 529, "YCbCr Coefficients"},
    {0, 531, "YCbCr Positioning"},
    {0, 532, "Reference Black/White Point"},
    {0, 33432, "Copyright"},
    {1, 256, "Thumbnail Width"},
    {1, 257, "Thumbnail Length"},
    {1, 258, "Thumbnail Bits Per Sample"},
    {1, 259, "Thumbnail Compression"},
    {1, 262, "Thumbnail Photometric Interpretation"},
    {1, 273, "Thumbnail Strip Offsets"},
    {1, 277, "Thumbnail Samples Per Pixel"},
    {1, 278, "Thumbnail Rows Per Strip"},
    {1, 279, "Thumbnail Strip Byte Conunts"},
    {1, 282, "Thumbnail Diplay/Print X-Resolution"},
    {1, 283, "Thumbnail Diplay/Print Y-Resolution"},
    {1, 284, "Thumbnail Planar Configuration"},
    {1, 296, "Thumbnail Resolution Unit"},
    {1, 513, "Thumbnail JpegIFOffset"},
    {1, 514, "Thumbnail JpegIFByteCount"},
    {1, 529, "Thumbnail YCbCr Coefficients"},
    {1, 530, "Thumbnail YCbCr SubSampling"},
    {1, 531, "Thumbnail YCbCr Positioning"},
    {1, 532, "Thumbnail Reference Black/White"},
    {2, 33434, "Exposure Time"},
    {2, 33437, "F-Number (F-Stop)"},
    {2, 34850, "Exposure Program"},
    {2, 34855, "ISO Speed Ratings"},
    {2, 36864, "Exif Version"},
    {2, 36867, "Original Date/Time"},
    {2, 36868, "Digitized Date/Time"},
    {2, 37121, "Components Configuration"},
    {2, 37122, "Compressed Bits Per Pixel"},
    {2, 37377, "Shutter Speed Value"},
    {2, 37378, "Aperture Value"},
    {2, 37379, "Brightness Value"},
    {2, 37380, "Exposure Bias Value"},
    {2, 37381, "Max aperture value of lens"},
    {2, 37382, "Subject Distance"},
    {2, 37383, "Metering Mode"},
    {2, 37384, "Light Source"},
    {2, 37385, "Flash"},
    {2, 37386, "Focal Length"},
    {2, 37500, "Maker Note"},
    {2, 37510, "User Comment"},
    {2, 37520, "Subsecond Time"},
    {2, 37521, "Subsecond Time Original"},
    {2, 37522, "Subsecond Time Digitized"},
    {2, 40960, "FlashPix Version"},
    {2, 40961, "Color Space"},
    {2, 40962, "Image Width"},
    {2, 40963, "Image Height"},
    {2, 40964, "Related Sound File"},
    {2, 40965, "Exif Interoperability Offset"},
    {2, 41486, "Focal Plane X-Resolution"},
    {2, 41487, "Focal Plane Y-Resolution"},
    {2, 41488, "Focal Plane Resolution Unit"},
    {2, 41493, "Exposure Index"},
    {2, 41495, "Sensing Method"},
    {2, 41728, "File Source"},
    {2, 41729, "Scene Type"},
    {2, 41730, "CFA Pattern"},
    {3, 1, "Interoperability Index"},
    {3, 2, "Interoperability Version"},
    {3, 4096, "Related Image File Format"},
    {3, 4097, "Related Image Width"},
    {3, 4098, "Related Image Length"},
    {5, 512, "Olympus picture taking mode"},
    {5, 513, "Olympus JPEG quality"},
    {5, 514, "Olympus macro mode"},
    {5, 516, "Olympus digital zoom"},
    {5, 519, "Olympus firmware version"},
    {5, 520, "Olympus picture info"},
    {5, 521, "Olympus Camera ID"},
    {5, 4102, "Olympus Bracket Bias (EV)"},
    {5, 4119, "Olympus Red WB Bias"},
    {5, 4120, "Olympus Blue WB Bias"},
    {5, 4122, "Olympus Serial number"},
    {5, 4142, "Olympus Image Width"},
    {5, 4143, "Olympus Image Height"},
    {6, 1, "Canon Flash params"},
    {6, 4, "Canon Color params"},
    {6, 6, "Canon Image type"},
    {6, 7, "Canon Firmware version"},
    {6, 8, "Canon Image Number"},
    {6, 9, "Canon Owner name"},
    {6, 12, "Canon Camera serial number"},
    {6, 15, "Canon Exposition params"},
    {7, 3, "Nikon Quality"},
    {7, 4, "Nikon Color mode"},
    {7, 5, "Nikon Image Adjustment"},
    {7, 6, "Nikon CCD Sensitivity"},
    {7, 7, "Nikon White balance"},
    {7, 8, "Nikon Focus"},
    {7, 10, "Nikon Digital Zoom"},
    {7, 11, "Nikon Converter"},
    {8, 2, "Nikon ISO Settings"},
    {8, 3, "Nikon Color Mode"},
    {8, 4, "Nikon Quality"},
    {8, 5, "Nikon Whitebalance"},
    {8, 6, "Nikon Image Sharpening"},
    {8, 7, "Nikon Focus Mode"},
    {8, 8, "Nikon Flash Setting"},
    {8, 15, "Nikon ISO Selection"},
    {8, 128, "Nikon Image Adjustment"},
    {8, 130, "Nikon Adapter"},
    {8, 133, "Nikon Manual Focus Distance"},
    {8, 134, "Nikon Digital Zoom"},
    {8, 136, "Nikon AF Focus Position"},
    {9, 1, "Casio Recording Mode"},
    {9, 2, "Casio Quality"},
    {9, 3, "Casio Focusing Mode"},
    {9, 4, "Casio Flash Mode"},
    {9, 5, "Casio Flash Intensity"},
    {9, 6, "Casio Object distance"},
    {9, 7, "Casio White Balance"},
    {9, 10, "Casio Digital Zoom"},
    {9, 11, "Casio Sharpness"},
    {9, 12, "Casio Contrast"},
    {9, 13, "Casio Saturation"},
    {9, 20, "Casio CCD Sensitivity"},
    {10, 0, "Fuji Version"},
    {10, 4096, "Fuji Quality"},
    {10, 4097, "Fuji Sharpness"},
    {10, 4098, "Fuji White Balance"},
    {10, 4099, "Fuji Chroma saturation setting"},
    {10, 4100, "Fuji Contrast setting"},
    {10, 4112, "Fuji Flash Mode"},
    {10, 4113, "Fuji Flash Strength"},
    {10, 4128, "Fuji Macro"},
    {10, 4129, "Fuji Focus mode"},
    {10, 4144, "Fuji Slow synchro mode setting"},
    {10, 4145, "Fuji Picture Mode"},
    {10, 4352, "Fuji Continuous  Take/Bracket mode"},
    {10, 4864, "Fuji Blur warning"},
    {10, 4865, "Fuji Focus warning"},
    {10, 4866, "Fuji AE warning"},
    {28, 0, "GPS Version"},
    {28, 1, "GPS Latitude Reference"},
    {28, 2, "GPS Latitude"},
    {28, 3, "GPS Longitude Reference"},
    {28, 4, "GPS Longitude"},
    {28, 5, "GPS Altitude Reference"},
    {28, 6, "GPS Altitude"},
    {28, 7, "GPS Time"},
    {28, 8, "GPS Satellites"},
    {28, 9, "GPS Status"},
    {28, 10, "GPS Measure mode"},
    {28, 11, "GPS DOP (degree of precision)"},
    {28, 12, "GPS Speed movement reference"},
    {28, 13, "GPS Speed"},
    {28, 14, "GPS Track direction movement reference"},
    {28, 15, "GPS Track direction movement"},
    {28, 16, "GPS Image direction reference"},
    {28, 17, "GPS Image direction"},
    {28, 18, "GPS Map date (receiver)"},
    {28, 19, "GPS Destination Latitude reference"},
    {28, 20, "GPS Destination Latitude"},
    {28, 21, "GPS Destination Longitude reference"},
    {28, 22, "GPS Destination Longitude"},
    {28, 23, "GPS Destination Bearing reference"},
    {28, 24, "GPS Destination Bearing"},
    {28, 25, "GPS Destination Distance reference"},
    {28, 26, "GPS Destination Distance"},
    {28, 27, "GPS Location finding method"},
    {28, 28, "GPS Area Information"},
    {28, 29, "GPS Date"},
    {28, 30, "GPS Differential Correction"},
};

struct EnumText {
  uint8_t kind;
  uint16_t tag;
  uint16_t value;
  const char* text;
};

// SHORT values with a text of their own, sorted by kind, tag and value.
constexpr EnumText kEnumTexts[] = {
    {0, 274, 1, "Top-Left"},
    {0, 274, 2, "Top-Right"},
    {0, 274, 3, "Bottom-Right"},
    {0, 274, 4, "Bottom-Left"},
    {0, 274, 5, "Left-Top"},
    {0, 274, 6, "Right-Top"},
    {0, 274, 7, "Right-Bottom"},
    {0, 274, 8, "Left-Bottom"},
    {0, 296, 1, "Not defined"},
    {0, 296, 2, "Inch"},
    {0, 296, 3, "Centimeter"},
    {0, 531, 1, "Center of pixel array"},
    {0, 531, 2, "Co-sited"},
    {1, 259, 1, "No compression"},
    {1, 259, 6, "JPEG compression"},
    {1, 262, 1, "Monochrome"},
    {1, 262, 2, "RGB"},
    {1, 262, 6, "YCbCr"},
    {1, 284, 1, "YCbCr chunky format for each subsampling pixel"},
    {1, 284, 2, "YCbCr is stored to separated planes"},
    {1, 296, 1, "Not defined"},
    {1, 296, 2, "Inch"},
    {1, 296, 3, "Centimeter"},
    {1, 531, 1, "Center of pixel array"},
    {1, 531, 2, "Datum point(0,0)"},
    {2, 34850, 1, "Manual control"},
    {2, 34850, 2, "program normal"},
    {2, 34850, 3, "Aperture priority"},
    {2, 34850, 4, "Shutter priority"},
    {2, 34850, 5, "Program creative (slow program)"},
    {2, 34850, 6, "Program action(high-speed program)"},
    {2, 34850, 7, "Portrait mode"},
    {2, 34850, 8, "Landscape mode"},
    {2, 37383, 1, "Average"},
    {2, 37383, 2, "Center weighted average"},
    {2, 37383, 3, "Spot"},
    {2, 37383, 4, "Multi-spot"},
    {2, 37383, 5, "Multi-segment"},
    {2, 37383, 6, "Partial"},
    {2, 37383, 255, "Other"},
    {2, 37384, 1, "DayLight"},
    {2, 37384, 2, "Fluorescent"},
    {2, 37384, 3, "Tungsten"},
    {2, 37384, 10, "Flash"},
    {2, 37384, 17, "Standard light A"},
    {2, 37384, 18, "Standard light B"},
    {2, 37384, 19, "Standard light C"},
    {2, 37384, 20, "Standard light D55"},
    {2, 37384, 21, "Standard light D65"},
    {2, 37384, 22, "Standard light D75"},
    {2, 37384, 255, "Other"},
    // Every value the EXIF standard defines: bit 0 fired, bits 1-2 the
    // strobe return, bits 3-4 the flash mode, bit 5 no flash, bit 6 red-eye.
    {2, 37385, 0, "flash did not fire"},
    {2, 37385, 1, "flash fired"},
    {2, 37385, 5, "flash fired without strobe return light"},
    {2, 37385, 7, "flash fired with strobe return light"},
    {2, 37385, 9, "flash fired, compulsory flash firing"},
    {2, 37385, 13, "flash fired, compulsory flash firing, without strobe return light"},
    {2, 37385, 15, "flash fired, compulsory flash firing, with strobe return light"},
    {2, 37385, 16, "flash did not fire, compulsory flash suppression"},
    {2, 37385, 24, "flash did not fire, auto mode"},
    {2, 37385, 25, "flash fired, auto mode"},
    {2, 37385, 29, "flash fired, auto mode, without strobe return light"},
    {2, 37385, 31, "flash fired, auto mode, with strobe return light"},
    {2, 37385, 32, "no flash function"},
    {2, 37385, 65, "flash fired, red-eye reduction mode"},
    {2, 37385, 69, "flash fired, red-eye reduction mode, without strobe return light"},
    {2, 37385, 71, "flash fired, red-eye reduction mode, with strobe return light"},
    {2, 37385, 73, "flash fired, compulsory flash firing, red-eye reduction mode"},
    {2, 37385, 77,
     "flash fired, compulsory flash firing, red-eye reduction mode, without strobe return light"},
    {2, 37385, 79,
     "flash fired, compulsory flash firing, red-eye reduction mode, with strobe return light"},
    {2, 37385, 89, "flash fired, auto mode, red-eye reduction mode"},
    {2, 37385, 93, "flash fired, auto mode, red-eye reduction mode, without strobe return light"},
    {2, 37385, 95, "flash fired, auto mode, red-eye reduction mode, with strobe return light"},
    {2, 40961, 1, "sRGB"},
    {2, 40961, 65535, "Uncalibrated"},
    {2, 41488, 1, "Not defined"},
    {2, 41488, 2, "Inch"},
    {2, 41488, 3, "Centimeter"},
    {2, 41495, 2, "1 chip color area sensor"},
    {5, 513, 0, "Normal"},
    {5, 513, 1, "SQ"},
    {5, 513, 2, "HQ"},
    {5, 513, 3, "SHQ"},
    {5, 514, 0, "Normal mode"},
    {5, 514, 1, "Macro mode"},
    {7, 3, 1, "VGA Basic"},
    {7, 3, 2, "VGA Normal"},
    {7, 3, 3, "VGA Fine"},
    {7, 3, 4, "SXGA Basic"},
    {7, 3, 5, "SXGA Normal"},
    {7, 3, 6, "SXGA Fine"},
    {7, 4, 1, "Color"},
    {7, 4, 2, "Monochrome"},
    {7, 5, 0, "Normal"},
    {7, 5, 1, "Bright+"},
    {7, 5, 2, "Bright-"},
    {7, 5, 3, "Contrast+"},
    {7, 5, 4, "Contrast-"},
    {7, 6, 0, "ISO 80"},
    {7, 6, 2, "ISO 160"},
    {7, 6, 4, "ISO 320"},
    {7, 6, 5, "ISO 100"},
    {7, 7, 0, "Auto"},
    {7, 7, 1, "Preset"},
    {7, 7, 2, "Daylight"},
    {7, 7, 3, "Incandescense"},
    {7, 7, 4, "Fluorescence"},
    {7, 7, 5, "Cloudy"},
    {7, 7, 6, "SpeedLight"},
    {9, 1, 1, "Single Shutter"},
    {9, 1, 2, "Panorama"},
    {9, 1, 3, "Night Scene"},
    {9, 1, 4, "Portrait"},
    {9, 1, 5, "Landscape"},
    {9, 2, 1, "Economy"},
    {9, 2, 2, "Normal"},
    {9, 2, 3, "Fine"},
    {9, 3, 2, "Macro"},
    {9, 3, 3, "Auto Focus"},
    {9, 3, 4, "Manual Focus"},
    {9, 3, 5, "Infinity"},
    {9, 4, 1, "Auto"},
    {9, 4, 2, "On"},
    {9, 4, 3, "Off"},
    {9, 4, 4, "Red Eye Reduction"},
    {9, 5, 11, "Weak"},
    {9, 5, 13, "Normal"},
    {9, 5, 15, "Strong"},
    {9, 7, 1, "Auto"},
    {9, 7, 2, "Tungsten"},
    {9, 7, 3, "Daylight"},
    {9, 7, 4, "Fluorescent"},
    {9, 7, 5, "Shade"},
    {9, 11, 0, "Normal"},
    {9, 11, 1, "Soft"},
    {9, 11, 2, "Hard"},
    {9, 12, 0, "Normal"},
    {9, 12, 1, "Low"},
    {9, 12, 2, "High"},
    {9, 13, 0, "Normal"},
    {9, 13, 1, "Low"},
    {9, 13, 2, "High"},
    {9, 20, 64, "Normal"},
    {9, 20, 80, "Normal"},
    {9, 20, 100, "High"},
    {10, 4097, 1, "Soft"},
    {10, 4097, 2, "Soft"},
    {10, 4097, 3, "Normal"},
    {10, 4097, 4, "Hard"},
    {10, 4097, 5, "Hard"},
    {10, 4098, 0, "Auto"},
    {10, 4098, 256, "Daylight"},
    {10, 4098, 512, "Cloudy"},
    {10, 4098, 768, "DaylightColor-fluorescence"},
    {10, 4098, 769, "DaywhiteColor-fluorescence"},
    {10, 4098, 770, "White-fluorescence"},
    {10, 4098, 1024, "Incandenscense"},
    {10, 4098, 3840, "Custom white balance"},
    {10, 4099, 0, "Normal(STD)"},
    {10, 4099, 256, "High"},
    {10, 4099, 512, "Low(ORG)"},
    {10, 4100, 0, "Normal(STD)"},
    {10, 4100, 256, "High"},
    {10, 4100, 512, "Low(ORG)"},
    {10, 4112, 0, "Auto"},
    {10, 4112, 1, "On"},
    {10, 4112, 2, "Off"},
    {10, 4112, 3, "Red-eye reduction"},
    {10, 4128, 0, "Off"},
    {10, 4128, 1, "On"},
    {10, 4129, 0, "Auto focus"},
    {10, 4129, 1, "Manual focus"},
    {10, 4144, 0, "Off"},
    {10, 4144, 1, "On"},
    {10, 4145, 0, "Auto"},
    {10, 4145, 1, "Portrait scene"},
    {10, 4145, 2, "Landscape scene"},
    {10, 4145, 4, "Sports scene"},
    {10, 4145, 5, "Night scene"},
    {10, 4145, 6, "Program AE"},
    {10, 4145, 256, "Aperture prior AE"},
    {10, 4145, 512, "Shutter prior AE"},
    {10, 4352, 0, "Off"},
    {10, 4352, 1, "On"},
    {10, 4864, 0, "No blur warning"},
    {10, 4864, 1, "Blur warning"},
    {10, 4865, 0, "Auto Focus good"},
    {10, 4865, 1, "Out of focus"},
    {10, 4866, 0, "AE good"},
    {10, 4866, 1, "Over exposure (>1/1000s,F11)"},
};

// Values of the settings inside the Canon arrays (tags 1 and 4), by tag and
// element index. For tag 4 index 14 the value is a bit number.
constexpr CanonValueText kCanonValues[] = {
    {1, 1, 1, "Macro"},
    {1, 1, 2, "Normal"},
    {1, 4, 0, "Flash not fired"},
    {1, 4, 1, "Auto"},
    {1, 4, 2, "On"},
    {1, 4, 3, "Red-eye reduction"},
    {1, 4, 4, "Slow synchro"},
    {1, 4, 5, "Auto + Red-eye reduction"},
    {1, 4, 6, "On + Red-eye reduction"},
    {1, 4, 16, "External flash "},
    {1, 5, 0, "Single or timer"},
    {1, 5, 1, "Continuous "},
    {1, 7, 0, "One-Shot"},
    {1, 7, 1, "AI Servo"},
    {1, 7, 2, "AI Focus"},
    {1, 7, 3, "MF"},
    {1, 7, 4, "Single"},
    {1, 7, 5, "Continuous"},
    {1, 7, 6, "MF"},
    {1, 10, 0, "Large"},
    {1, 10, 1, "Medium"},
    {1, 10, 2, "Small"},
    {1, 11, 0, "Full Auto"},
    {1, 11, 1, "Manual"},
    {1, 11, 2, "Landscape"},
    {1, 11, 3, "Fast Shutter"},
    {1, 11, 4, "Slow Shutter"},
    {1, 11, 5, "Night"},
    {1, 11, 6, "B&W"},
    {1, 11, 7, "Sepia"},
    {1, 11, 8, "Portrait"},
    {1, 11, 9, "Sports"},
    {1, 11, 10, "Macro / Close-Up"},
    {1, 11, 11, "Pan Focus"},
    {1, 13, 0, "Normal"},
    {1, 13, 1, "High"},
    {1, 13, 65535, "Low"},
    {1, 14, 0, "Normal"},
    {1, 14, 1, "High"},
    {1, 14, 65535, "Low"},
    {1, 15, 0, "Normal"},
    {1, 15, 1, "High"},
    {1, 15, 65535, "Low"},
    {1, 16, 15, "Auto"},
    {1, 16, 16, "50"},
    {1, 16, 17, "100"},
    {1, 16, 18, "200"},
    {1, 16, 19, "400"},
    {1, 17, 3, "Evaluative"},
    {1, 17, 4, "Partial"},
    {1, 17, 5, "Center-weighted"},
    {1, 19, 12288, "None (Manual Focus)"},
    {1, 19, 12289, "Auto-selected"},
    {1, 19, 12290, "Right"},
    {1, 19, 12291, "Center"},
    {1, 19, 12292, "Left"},
    {1, 20, 0, "Easy shooting"},
    {1, 20, 1, "Program"},
    {1, 20, 2, "Tv-priority"},
    {1, 20, 3, "Av-priority"},
    {1, 20, 4, "Manual"},
    {1, 20, 5, "A-DEP"},
    {4, 7, 0, "Auto"},
    {4, 7, 1, "Sunny"},
    {4, 7, 2, "Cloudy"},
    {4, 7, 3, "Tungsten"},
    {4, 7, 4, "Flourescent"},
    {4, 7, 5, "Flash"},
    {4, 7, 6, "Custom"},
    {4, 14, 0, "Right"},
    {4, 14, 1, "Center"},
    {4, 14, 2, "Left"},
    {4, 15, 0, "0 EV"},
    {4, 15, 12, "0.33 EV"},
    {4, 15, 16, "0.50 EV"},
    {4, 15, 20, "0.67 EV"},
    {4, 15, 32, "1 EV"},
    {4, 15, 44, "1.33 EV"},
    {4, 15, 48, "1.50 EV"},
    {4, 15, 52, "1.67 EV"},
    {4, 15, 64, "2 EV"},
    {4, 15, -12, "-0.33 EV"},
    {4, 15, -16, "-0.50 EV"},
    {4, 15, -20, "-0.67 EV"},
    {4, 15, -32, "-1.00 EV"},
    {4, 15, -44, "-1.33 EV"},
    {4, 15, -48, "-1.50 EV"},
    {4, 15, -52, "-1.67 EV"},
    {4, 15, -64, "-2 EV"},
};

constexpr CanonSetting kCanonSettings[] = {
    {1, 1, "Canon Macro mode", CanonShow::kText},
    {1, 4, "Canon Flash mode", CanonShow::kText},
    {1, 5, "Canon Continuous drive mode", CanonShow::kText},
    {1, 7, "Canon Focus mode", CanonShow::kText},
    {1, 10, "Canon Image size", CanonShow::kText},
    {1, 11, "Canon \"Easy shooting\" mode", CanonShow::kText},
    {1, 13, "Canon Contrast", CanonShow::kText},
    {1, 14, "Canon Saturation", CanonShow::kText},
    {1, 15, "Canon Sharpness", CanonShow::kText},
    {1, 16, "Canon ISO Settings", CanonShow::kText},
    {1, 17, "Canon Metering mode", CanonShow::kText},
    {1, 19, "Canon AF point selected", CanonShow::kText},
    {1, 20, "Canon Exposure mode", CanonShow::kText},
    {1, 23, "Canon \"long\" focal length of lens", CanonShow::kNumber},
    {1, 24, "Canon \"short\" focal length of lens", CanonShow::kNumber},
    {1, 25, "Canon \"focal units\" per mm", CanonShow::kNumber},
    {4, 7, "Canon White balance", CanonShow::kText},
    {4, 14, "Canon AF point used", CanonShow::kBits},
    {4, 14, "Canon number of available focus points", CanonShow::kTopBits},
    {4, 15, "Canon Flash bias", CanonShow::kSignedText},
};

struct GpsRefText {
  uint16_t tag;
  char letter;  // the upper-cased value
  const char* text;
};

constexpr GpsRefText kGpsRefTexts[] = {
    {1, 'N', "North latitude"},  {1, 'S', "South latitude"},
    {19, 'N', "North latitude"}, {19, 'S', "South latitude"},
    {3, 'E', "East longitude"},  {3, 'W', "West longitude"},
    {21, 'E', "East longitude"}, {21, 'W', "West longitude"},
    {9, 'A', "Measurement is in progress"}, {9, 'V', "Measurement is Interoperability"},
    {10, '2', "2-dimensional measurement"}, {10, '3', "3-dimensional measurement"},
    {12, 'K', "Kilometers per hour"}, {12, 'M', "Miles per hour"}, {12, 'N', "Knots"},
    {25, 'K', "Kilometers per hour"}, {25, 'M', "Miles per hour"}, {25, 'N', "Knots"},
    {14, 'T', "True direction"}, {14, 'M', "Magnetic direction "},
    {16, 'T', "True direction"}, {16, 'M', "Magnetic direction "},
    {23, 'T', "True direction"}, {23, 'M', "Magnetic direction "},
};

constexpr auto TagKey(const TagName& n) { return std::tuple(n.kind, n.tag); }
constexpr auto EnumKey(const EnumText& e) { return std::tuple(e.kind, e.tag, e.value); }

static_assert(std::is_sorted(std::begin(kTagNames), std::end(kTagNames),
                             [](const TagName& a, const TagName& b) { return TagKey(a) < TagKey(b); }));
static_assert(std::is_sorted(std::begin(kEnumTexts), std::end(kEnumTexts),
                             [](const EnumText& a, const EnumText& b) { return EnumKey(a) < EnumKey(b); }));

const char* FindName(uint8_t kind, uint16_t tag) {
  const auto it = std::lower_bound(std::begin(kTagNames), std::end(kTagNames), std::tuple(kind, tag),
                                   [](const TagName& n, const auto& key) { return TagKey(n) < key; });
  return it != std::end(kTagNames) && it->kind == kind && it->tag == tag ? it->name : nullptr;
}

// A tag of a further IFD takes the first name of IFD0, IFD1, Exif, and the
// Interoperability tags 1 and 2.
const char* FindFurtherName(uint16_t tag) {
  for (uint8_t kind : {kIfd0, kIfd1, kExifIfd})
    if (const char* name = FindName(kind, tag)) return name;
  return tag == interop::kIndex || tag == interop::kVersion ? FindName(kInteropIfd, tag) : nullptr;
}

}  // namespace

std::string GetTagName(uint8_t kind, uint16_t tag, bool hideUnnamed) {
  const char* name = kind == kFurtherIfd ? FindFurtherName(tag) : FindName(kind, tag);
  if (name) return StrFunc::Trim(name);
  return hideUnnamed ? std::string() : "0x" + StrFunc::WordToHex(tag);
}

bool HasEnumTexts(uint8_t kind, uint16_t tag) {
  const auto it = std::lower_bound(std::begin(kEnumTexts), std::end(kEnumTexts), std::tuple(kind, tag),
                                   [](const EnumText& e, const auto& key) {
                                     return std::tuple(e.kind, e.tag) < key;
                                   });
  return it != std::end(kEnumTexts) && it->kind == kind && it->tag == tag;
}

const char* FindEnumText(uint8_t kind, uint16_t tag, uint32_t value) {
  if (value > 0xFFFF) return nullptr;
  const auto key = std::tuple(kind, tag, uint16_t(value));
  const auto it = std::lower_bound(std::begin(kEnumTexts), std::end(kEnumTexts), key,
                                   [](const EnumText& e, const auto& k) { return EnumKey(e) < k; });
  return it != std::end(kEnumTexts) && EnumKey(*it) == key ? it->text : nullptr;
}

bool IsGpsRefTag(uint16_t tag) {
  for (const GpsRefText& r : kGpsRefTexts)
    if (r.tag == tag) return true;
  return false;
}

const char* FindGpsRefText(uint16_t tag, std::string_view upperValue) {
  if (upperValue.size() != 1) return nullptr;
  for (const GpsRefText& r : kGpsRefTexts)
    if (r.tag == tag && r.letter == upperValue[0]) return r.text;
  return nullptr;
}

std::span<const CanonSetting> CanonSettings() { return kCanonSettings; }

const char* FindCanonText(uint16_t tag, uint16_t index, int32_t value) {
  for (const CanonValueText& v : kCanonValues)
    if (v.tag == tag && v.index == index && v.value == value) return v.text;
  return nullptr;
}

uint32_t TypeSize(uint32_t type) {
  static constexpr uint8_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return type < std::size(kSizes) ? kSizes[type] : 0;
}

uint16_t PointerTagOfKind(uint8_t kind) {
  switch (kind) {
    case kExifIfd: return kTagExifPointer;
    case kInteropIfd: return kTagInteropPointer;
    case kMakerNote: return kTagMakerNote;
    case kGpsIfd: return kTagGpsPointer;
    default: return 0;
  }
}

uint8_t KindOfPointerTag(uint16_t tag) {
  switch (tag) {
    case kTagExifPointer: return kExifIfd;
    case kTagInteropPointer: return kInteropIfd;
    case kTagMakerNote: return kMakerNote;
    case kTagGpsPointer: return kGpsIfd;
    default: return kFurtherIfd;
  }
}

uint8_t ParentKindOfPointerTag(uint16_t tag) {
  return tag == kTagInteropPointer || tag == kTagMakerNote ? kExifIfd : kIfd0;
}

std::string MakeKey(uint8_t kind, uint16_t tag) {
  return std::to_string(kind) + 'x' + std::to_string(tag);
}

}  // namespace exif
