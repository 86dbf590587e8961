#include "shared/ui/fSHAREDAbout.h"

namespace wexlo {

fSHAREDAbout::fSHAREDAbout(QWidget* mainWindow) : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("fSHAREDAbout"));
}

}  // namespace wexlo
