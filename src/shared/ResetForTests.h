#pragma once

// The shared library's module state (the settings store, the log, the date probe, the
// yield and progress throttles) back to what a fresh program starts with. Test fixtures
// call this one function, so that none of the modules can be forgotten; a module that
// gains state adds its own reset here.

namespace wexlo::shared {

void resetForTests();

}  // namespace wexlo::shared
