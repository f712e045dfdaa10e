#pragma once
#include <QMainWindow>

#include "gallery/Pages.h"
#include "photos/Work.h"
