#pragma once

#include <QString>

namespace wexlo {

// Opens a fresh error report dialog with the message and waits until the user leaves it.
void showErrorReport(const QString& message, const QString& helpTopic = {});

}  // namespace wexlo
