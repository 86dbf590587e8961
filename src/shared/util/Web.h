#pragma once

#include <QString>

class QWidget;

namespace wexlo::web {

// Opens a web address, a mailto: link or a local file with the desktop's default handler.
void websitevisit(QWidget* owner, const QString& address);

}  // namespace wexlo::web
