// Vornell: width and elevation transitions for road design.
#include <QByteArray>
#include <QtGlobal>

#include "ui/application.h"
#include "ui/form1.h"
#include "ui/qt_compat.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// With no session bus running, the toolkit's accessibility bridge would have
// the D-Bus library launch a bus daemon that outlives the program. Assistive
// technology needs a running bus anyway, so nothing is lost by not starting
// one; with a bus running, nothing is changed.
void keepSessionBusUnstarted() {
#ifdef Q_OS_UNIX
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
    return;
  }
  // The per-user bus of a systemd session, which the D-Bus library finds.
  const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
  struct stat bus {};
  if (!runtimeDir.isEmpty() && ::stat((runtimeDir + "/bus").constData(), &bus) == 0 &&
      S_ISSOCK(bus.st_mode)) {
    return;
  }
  // An address that connects nowhere and for which nothing is launched.
  qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArrayLiteral("disabled:"));
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
