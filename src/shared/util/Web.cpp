#include "shared/util/Web.h"

#include "platform/Platform.h"

#include <QCoreApplication>

namespace wexlo::web {

void openAddress(QWidget* owner, const QString& address)
{
    try {
        // Whether a handler took the address is not reported: the desktop tells the user.
        platform::shell().open(address);
    } catch (...) {
        platform::MessageRequest r;
        r.owner = owner;
        r.text = QCoreApplication::translate("Web", "There was an ERROR?");
        r.title = QCoreApplication::translate("Web", "Open URL Error");
        r.icon = platform::MsgIcon::Warning;
        r.systemModal = true;
        platform::messageBox().show(r);
    }
}

}  // namespace wexlo::web
