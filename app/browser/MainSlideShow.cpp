// The main window's slide-show commands: the folder's slide show
// (SlideShow1), packages of all or the current project (Allprojects2,
// Onlycurrentproject2), self-running shows (ConvertSSPEXE1,
// ExtractSSPfromexecutable1) and the player (Saveplayer1). Packaging every
// project keeps the project window's state (TForm2::Snapshot) and puts it
// back at the end (TForm2::Restore).
#include "app/browser/Main.h"

// Connects the slide-show items once their handlers are built here.
void TMainForm::ConnectSlideShow() {}
