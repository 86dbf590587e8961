#include "platform/FileDialog.h"

#include <QFileDialog>

namespace wexlo::platform {

QString FileDialog::saveFileName(QWidget* owner, const QString& title, const QString& suggested,
                                 const QString& filter)
{
    // The dialog asks before it replaces a file.
    return QFileDialog::getSaveFileName(owner, title, suggested, filter);
}

namespace {
FileDialog* current = nullptr;
FileDialog& real()
{
    static FileDialog d;
    return d;
}
}  // namespace

FileDialog& fileDialog() { return current != nullptr ? *current : real(); }

void setFileDialog(FileDialog* d) { current = d; }

}  // namespace wexlo::platform
