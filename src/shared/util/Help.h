#pragma once

#include <QString>

class QWidget;

namespace wexlo::help {

// The help page: Help/Index.htm in the application folder, else beside the program file.
QString pagePath();
// Opens the help page; says so when the page cannot be found.
void show(QWidget* owner);

}  // namespace wexlo::help
