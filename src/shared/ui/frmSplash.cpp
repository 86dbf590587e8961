#include "shared/ui/frmSplash.h"

#include <QLabel>

namespace wexlo {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen)
{
    lblstatus = new QLabel(this);
    lblstatus->setObjectName(QStringLiteral("lblstatus"));
}

}  // namespace wexlo
