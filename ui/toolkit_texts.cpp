#include "ui/toolkit_texts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vornell::ui {

bool installChineseToolkitTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral(":/vornell/translations/qtbase_zh_CN.qm"))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace vornell::ui
