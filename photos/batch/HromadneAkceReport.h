// The texts the batch actions window tells after a run: the files an action
// could not handle, grouped by what went wrong.
#pragma once

#include <string>

#include "photos/batch/HromadneAkceResult.h"

namespace HromadneAkce {

// One part for each kind of failure, its files listed (a long list cut
// short with a count of the rest), each with what stood in the way where
// the kind does not tell it; "" when there is no failure.
std::string FailureReport(const TFailures& failures);

}  // namespace HromadneAkce
