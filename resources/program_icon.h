// The program's icon, in every size that desktops draw it at.
#pragma once

#include <QIcon>

namespace vornell {

// Decoded from the PNGs compiled into the program, without loading any
// image-format or icon-engine plugin. Needs a QGuiApplication.
QIcon programIcon();

}  // namespace vornell
