// Start-up conditions of the program: it starts no other process and writes
// nothing, and without a display it says so in one line.
#pragma once

#include <QApplication>

#include <memory>

namespace vornell::app {

// With no session bus running, makes sure none is started for the program:
// the toolkit's accessibility bridge and its other desktop services would
// otherwise have the D-Bus library launch a bus daemon that outlives the
// program and writes under $HOME and /tmp. Assistive technology needs a
// running session bus anyway, so nothing is lost; with a bus running,
// nothing is changed. Call before the application object exists.
void keepSessionBusUnstarted();

// Creates the application. When the window system cannot be reached (no
// display), prints one line on stderr and ends the program with a non-zero
// exit status, instead of the toolkit's advice and an abort. The toolkit's
// own messages of a successful start are passed on unchanged.
std::unique_ptr<QApplication> openApplication(int& argc, char** argv);

}  // namespace vornell::app
