// The program's own icon, drawn as a scalable image and built into the
// program: the window, the tray and the about box show it.
#pragma once

#include <QIcon>

namespace tallyrix {

QIcon ProgramIcon();

}  // namespace tallyrix
