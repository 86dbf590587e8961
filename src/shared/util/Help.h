#pragma once

#include <QString>

class QWidget;

namespace wexlo::help {

// The help page: Help/Index.htm in the application folder, else beside the program file.
QString helpFilePath();
// Opens the help page; the topic is not used. Says so when the page cannot be found.
void showhelp(QWidget* owner, const QString& topic = {});

}  // namespace wexlo::help
