// What the batch actions window tells of an action of files mode (the
// GPS-set mode, which ends the program after it): the GPS action the photos
// it wrote the position into and the files it left as they were, any other
// action the files it handled.
#pragma once

#include <string>

#include "photos/batch/HromadneAkceOptions.h"
#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

std::string DoneWord(TActionCode code, const TRunResult& result);

}  // namespace HromadneAkce
