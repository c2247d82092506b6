// The program icon: every size a desktop draws it at, from its own PNGs
// without loading an image-format or icon-engine plugin (start-up, memory).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QTest>

#include <algorithm>

#include "resources/program_icon.h"

class ProgramIconTest : public QObject {
  Q_OBJECT

 private slots:
  // First, before anything else in the process could load a plugin.
  void loadsNoPlugin() {
    const QStringList pluginFolders = QCoreApplication::libraryPaths();
    if (std::none_of(pluginFolders.begin(), pluginFolders.end(), [](const QString& folder) {
          return !QDir(folder + QStringLiteral("/imageformats")).isEmpty(QDir::Files);
        })) {
      QSKIP("no image-format plugin is installed: nothing could be loaded");
    }
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
      QSKIP("no /proc/self/maps to list the loaded libraries");
    }
    QVERIFY(!vornell::programIcon().isNull());
    const QByteArray mapped = maps.readAll();
    QVERIFY2(!mapped.contains("/imageformats/"), "an image-format plugin was loaded");
    QVERIFY2(!mapped.contains("/iconengines/"), "an icon-engine plugin was loaded");
  }

  // Crisp at scale 2 in title bars (16 and 32 at scale 1), task switchers
  // and docks (up to 128 at scale 2).
  void hasEveryDesktopSize() {
    const QList<QSize> sizes = vornell::programIcon().availableSizes();
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
      QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }
  }
};

QTEST_MAIN(ProgramIconTest)
#include "tst_program_icon.moc"
