#pragma once

#include <QString>

namespace wexlo::mSHAREDShowError {

// Opens a fresh error report dialog with the message and waits until the user leaves it.
void showerr(const QString& message, const QString& helpTopic = {});

}  // namespace wexlo::mSHAREDShowError
