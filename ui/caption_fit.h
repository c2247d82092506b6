// Fitting the default font to the window's fixed layout: the rectangles stay
// as stored, the font is made a little smaller until every caption shows.
#pragma once

#include <QFont>
#include <QString>

#include <vector>

namespace vornell::ui {

// A line of text, the width its advance may take and the width within which
// its ink must show (a label's end may reach under the box beside it, but
// what is drawn there must not), in logical pixels.
struct CaptionSpace {
  QString text;
  qreal width;
  qreal visibleWidth;
};

// What the layout asks of a font: each caption within its width, and the
// digits of a number within the height a number box gives its text.
struct LayoutNeeds {
  std::vector<CaptionSpace> captions;
  qreal numberHeight;
};

bool fitsLayout(const QFont& font, const LayoutNeeds& needs);

// `font`, or the largest font half a point at a time smaller that fits;
// never smaller than a readable minimum.
QFont fittedFont(QFont font, const LayoutNeeds& needs);

}  // namespace vornell::ui
