// Vornell: width and elevation transitions for road design.
#include <QApplication>

#include "app/quiet_start.h"
#include "ui/form1.h"
#include "ui/toolkit_texts.h"
#include "ui/window_texts.h"

int main(int argc, char* argv[]) {
  using namespace vornell::ui::texts;
  vornell::app::keepSessionBusUnstarted();
  const auto app = vornell::app::openApplication(argc, argv);
  QApplication::setApplicationName(toQString(kProgramName));
  QApplication::setApplicationVersion(toQString(kVersion));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vornell.Vornell"));
  vornell::ui::installChineseToolkitTexts(*app);

  vornell::ui::Form1 form;
  form.show();
  return QApplication::exec();
}
