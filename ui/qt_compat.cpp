#include "ui/qt_compat.h"

#include <QApplication>
#include <QFont>

#include <cstdlib>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) && defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace vornell::ui::compat {

void scaleLikeQt6() {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
  QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

void useSystemMessageFont() {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) && defined(Q_OS_WIN)
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    return;
  }
  // The height is in pixels at the system's resolution.
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const LOGFONTW& message = metrics.lfMessageFont;
  QFont font(QString::fromWCharArray(message.lfFaceName));
  font.setPointSizeF(std::abs(message.lfHeight) * 72.0 / (dpi > 0 ? dpi : 96));
  QApplication::setFont(font);
#endif
}

}  // namespace vornell::ui::compat
