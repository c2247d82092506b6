// What differs between Qt 6 (Linux) and Qt 5.15 (the Windows build), in one
// place; under Qt 6 the functions do nothing.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstddef>

#if QT_VERSION < QT_VERSION_CHECK(6, 4, 0)
// Qt 6.4's literals u"..."_s (a QString) and "..."_ba (a QByteArray).
namespace Qt {
inline namespace Literals {
inline namespace StringLiterals {
inline QString operator""_s(const char16_t* text, std::size_t size) {
  return QString(reinterpret_cast<const QChar*>(text), static_cast<int>(size));
}
inline QByteArray operator""_ba(const char* text, std::size_t size) {
  return QByteArray(text, static_cast<int>(size));
}
}  // namespace StringLiterals
}  // namespace Literals
}  // namespace Qt
#endif

namespace vornell::ui::compat {

// Call before the application object exists. Qt 6 scales the window by the
// screen's exact factor (125 %, 150 %...); Qt 5 does so only when asked.
void scaleLikeQt6();

// Call once the application object exists. Qt 6 on Windows takes the system's
// message font as the default font (Microsoft YaHei UI 9 pt on a Chinese
// Windows 10); Qt 5 takes the old DEFAULT_GUI_FONT (MS Shell Dlg 2, 8 pt).
void useSystemMessageFont();

}  // namespace vornell::ui::compat
