#pragma once
#include <QString>

#include "app/Window.h"
