// Fitting a font to the window's fixed layout: the rectangles stay as stored,
// the font is made a little smaller until what it must show fits.
#pragma once

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>

#include <algorithm>

namespace vornell::ui {

// `font`, or the largest font half a point at a time smaller for which
// `fits(QFontMetricsF)` holds, but not smaller than `smallest` points.
template <typename Fits>
QFont largestFitting(QFont font, qreal smallest, Fits fits) {
  if (font.pointSizeF() <= 0) {  // given in pixels: expressed in points to shrink
    font.setPointSizeF(QFontInfo(font).pointSizeF());
  }
  while (!fits(QFontMetricsF(font)) && font.pointSizeF() > smallest) {
    font.setPointSizeF(std::max(smallest, font.pointSizeF() - 0.5));
  }
  return font;
}

}  // namespace vornell::ui
