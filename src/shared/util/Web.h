#pragma once

#include <QString>

class QWidget;

namespace wexlo::web {

// Opens a web address, a mailto: link or a local file with the desktop's default handler;
// says so in a message box when the desktop refuses.
void openAddress(QWidget* owner, const QString& address);

}  // namespace wexlo::web
