#pragma once

// This program's own constants, handed to the shared library once at start-up.

#include "shared/util/ProgramInfo.h"

namespace wexlo::app {

ProgramInfo wexloProgramInfo();
// Gives the shared library this program's constants (main and the tests call it first).
void installProgramInfo();

}  // namespace wexlo::app
