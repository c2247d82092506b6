// Vornell: width and elevation transitions for road design.
#include <QFileInfo>
#include <QtGlobal>

#include "ui/application.h"
#include "ui/form1.h"
#include "ui/qt_compat.h"

namespace {

// With no session bus running, the accessibility bridge would have D-Bus
// launch a daemon that outlives the program; assistive tools need a running
// bus anyway (given by address, or a systemd session's, which D-Bus finds).
void keepSessionBusUnstarted() {
#ifdef Q_OS_UNIX
  const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
      (runtimeDir.isEmpty() || !QFileInfo::exists(runtimeDir + QStringLiteral("/bus")))) {
    // An address that connects nowhere and for which nothing is launched.
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArrayLiteral("disabled:"));
  }
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  keepSessionBusUnstarted();
  vornell::ui::compat::scaleLikeQt6();
  vornell::ui::Application application(argc, argv);
  vornell::ui::Form1 form;
  form.show();
  return QApplication::exec();
}
