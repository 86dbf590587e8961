#pragma once

// The desktop's save dialog, as a service that tests replace with a scripted choice (as the
// message boxes and the print dialog are).

#include <QString>

class QWidget;

namespace wexlo::platform {

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The path the user chose to save to, or an empty text when they cancelled. filter as Qt
    // writes it ("CSV files (*.csv)").
    virtual QString saveFileName(QWidget* owner, const QString& title, const QString& suggested,
                                 const QString& filter);
};

FileDialog& fileDialog();
void setFileDialog(FileDialog* d);  // nullptr restores the real one

}  // namespace wexlo::platform
