#pragma once
#include "metadata/exif.h"
