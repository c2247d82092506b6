#include "ui/application.h"

#include <QTranslator>

#include "ui/qt_compat.h"
#include "ui/window_texts.h"

namespace vornell::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(texts::toQString(texts::kProgramName));
  setApplicationVersion(texts::toQString(texts::kVersion));
  setDesktopFileName(QStringLiteral("io.github.vornell.Vornell"));
  compat::useSystemMessageFont();
  // Qt's Simplified Chinese translation, compiled in; without it the
  // toolkit's texts stay English.
  auto* translator = new QTranslator(this);
  if (translator->load(QStringLiteral(":/vornell/translations/qtbase_zh_CN.qm"))) {
    installTranslator(translator);
  }
}

}  // namespace vornell::ui
