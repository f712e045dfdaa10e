// The main window's Web and publishing commands: the previews
// (Preview800x600, Preview1024x768, Previewprojectlist1), generating every
// project (GenerateAllProjects, Projectlist1), uploading (Allprojects1,
// Onlycurrentproject1) and the FTP settings (FTPSettings1). Commands that
// load every project in turn keep the project window's state
// (TForm2::Snapshot) and put it back at the end (TForm2::Restore).
#include "app/browser/Main.h"

// Connects the Web menu's items once their handlers are built here.
void TMainForm::ConnectWeb() {}
