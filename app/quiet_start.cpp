#include "app/quiet_start.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace vornell::app {

namespace {

// What the program says when it cannot show its window.
constexpr char kNoDisplayLine[] =
    "vornell: 无法连接到图形显示，窗口无法打开 (cannot connect to a display)\n";

// While the toolkit starts, it looks for a sandbox marker in the runtime
// directory, and when XDG_RUNTIME_DIR is unset it creates a fallback one in
// the temporary directory. Pointed at the process file system for that
// moment, where no directory can be made, it creates none.
constexpr char kNoTempDir[] = "/proc/self";

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

std::vector<HeldMessage>& heldMessages() {
  static std::vector<HeldMessage> held;
  return held;
}

// While the application is created: a fatal message means the window system
// could not be reached; everything else waits until the start has succeeded.
void holdStartMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplayLine, stderr);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
  }
  heldMessages().push_back({type, QByteArray(context.category), text});
}

#ifdef Q_OS_UNIX
bool isSocket(const QByteArray& path) {
  struct stat status {};
  return ::stat(path.constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}
#endif

}  // namespace

void keepSessionBusUnstarted() {
#ifdef Q_OS_UNIX
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
    return;
  }
  // The per-user bus of a systemd session, which the D-Bus library finds by
  // itself.
  const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
  if (!runtimeDir.isEmpty() && isSocket(runtimeDir + "/bus")) {
    return;
  }
  // An address that connects nowhere and for which nothing is launched.
  qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArrayLiteral("disabled:"));
#endif
}

std::unique_ptr<QApplication> openApplication(int& argc, char** argv) {
#ifdef Q_OS_LINUX
  const bool noRuntimeDir = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR");
#else
  const bool noRuntimeDir = false;
#endif
  const bool hadTempDir = qEnvironmentVariableIsSet("TMPDIR");
  const QByteArray tempDir = qgetenv("TMPDIR");
  if (noRuntimeDir) {
    qputenv("TMPDIR", QByteArray(kNoTempDir));
  }
  const QtMessageHandler previous = qInstallMessageHandler(holdStartMessages);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  if (noRuntimeDir) {
    hadTempDir ? qputenv("TMPDIR", tempDir) : qunsetenv("TMPDIR");
  }
  for (const HeldMessage& message : heldMessages()) {
    // The runtime directory's absence is known and harmless.
    if (noRuntimeDir && message.text.startsWith(QLatin1String("QStandardPaths: "))) {
      continue;
    }
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    qt_message_output(message.type, context, message.text);
  }
  heldMessages().clear();
  return application;
}

}  // namespace vornell::app
