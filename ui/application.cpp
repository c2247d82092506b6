#include "ui/application.h"

#include <QTranslator>

#include "ui/qt_compat.h"
#include "ui/window_texts.h"

namespace vornell::ui {

namespace {

// Qt's Simplified Chinese translation, compiled into the program; without it
// the toolkit's texts stay English.
void installChineseToolkitTexts(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (translator->load(QStringLiteral(":/vornell/translations/qtbase_zh_CN.qm"))) {
    QCoreApplication::installTranslator(translator);
  }
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(texts::toQString(texts::kProgramName));
  setApplicationVersion(texts::toQString(texts::kVersion));
  setDesktopFileName(QStringLiteral("io.github.vornell.Vornell"));
  compat::useSystemMessageFont();
  installChineseToolkitTexts(*this);
}

}  // namespace vornell::ui
