#pragma once
#include "photos/batch/Walk.h"
#include "texts/Table.h"
