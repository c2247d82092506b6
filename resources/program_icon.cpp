#include "resources/program_icon.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace vornell {

QIcon programIcon() {
  QIcon icon;
  const QDir folder(QStringLiteral(":/vornell/icons"));
  for (const QString& name : folder.entryList({QStringLiteral("*.png")}, QDir::Files)) {
    QImageReader reader(folder.filePath(name), "png");
    // Otherwise the reader first asks every installed image-format plugin
    // whether it reads the file, loading each one with its libraries (SVG,
    // JPEG, TIFF, WebP...): most of the program's start-up time on X11.
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (!image.isNull()) {
      icon.addPixmap(QPixmap::fromImage(image));
    }
  }
  return icon;
}

}  // namespace vornell
