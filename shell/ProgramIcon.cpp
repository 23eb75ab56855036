#include "shell/ProgramIcon.h"

// The resource lives in a static library, whose unreferenced initializer the
// linker would drop; it is registered by hand, outside any namespace.
static void RegisterIconResource() { Q_INIT_RESOURCE(tallyrix); }

namespace tallyrix {

QIcon ProgramIcon()
{
    static const bool registered = (RegisterIconResource(), true);
    Q_UNUSED(registered);
    return QIcon(QStringLiteral(":/icons/tallyrix.svg"));
}

}  // namespace tallyrix
