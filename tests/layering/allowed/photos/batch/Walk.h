#pragma once
#include "metadata/exif.h"
#include "photos/Work.h"
#include "texts/Table.h"
