// The main window's Batch menu: ExtractEXIFs1, JoinEXIFs1, Savethumbnails1,
// FileDateTmebyexposure1, Renamefiles1, Separateflashnoflashsnaps1 and
// SeparateGPSnoGPSsnaps1 over the photos of the folder shown.
#include "app/browser/Main.h"

// Connects the Batch menu's items once their handlers are built here.
void TMainForm::ConnectBatch() {}
