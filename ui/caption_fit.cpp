#include "ui/caption_fit.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace vornell::ui {

namespace {

// The smallest size to which the default font is reduced to fit the layout.
constexpr qreal kSmallestPointSize = 6.0;

}  // namespace

bool fitsLayout(const QFont& font, const LayoutNeeds& needs) {
  const QFontMetricsF metrics(font);
  // Whole pixels, as the controls draw them.
  const bool widthsFit =
      std::all_of(needs.captions.begin(), needs.captions.end(), [&](const CaptionSpace& c) {
        return std::ceil(metrics.horizontalAdvance(c.text)) <= c.width &&
               std::ceil(metrics.boundingRect(c.text).right()) <= c.visibleWidth;
      });
  const QRectF digits = metrics.tightBoundingRect(QStringLiteral("-0123456789.E+"));
  return widthsFit && std::ceil(digits.height()) <= needs.numberHeight;
}

QFont fittedFont(QFont font, const LayoutNeeds& needs) {
  // A font given in pixels is first expressed in points, so it can shrink.
  if (font.pointSizeF() <= 0) {
    font.setPointSizeF(QFontInfo(font).pointSizeF());
  }
  while (!fitsLayout(font, needs) && font.pointSizeF() > kSmallestPointSize) {
    font.setPointSizeF(std::max(kSmallestPointSize, font.pointSizeF() - 0.5));
  }
  return font;
}

}  // namespace vornell::ui
