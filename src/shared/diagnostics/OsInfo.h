#pragma once

// The operating system's short name, as the error report heading shows it.

#include <QString>

namespace wexlo::osinfo {

// The system's product name and version (e.g. "Debian GNU/Linux 12 (bookworm)"). Empty when
// the system cannot tell (logged).
QString systemName();

}  // namespace wexlo::osinfo
