// The controls of the main window as stored with it: positions and sizes in
// twips (1/1440 inch) in the client area, and the Tab order. 15 twips are one
// logical pixel times the window's layout scale; Qt adds display scaling.
#pragma once

#include <QRect>
#include <QSize>

#include <array>
#include <string_view>

#include "ui/window_texts.h"

namespace vornell::ui {

enum class ControlKind { CommandButton, OptionButton, TextBox, Label };

struct ControlRow {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;  // UTF-8; empty for the number boxes
  int left, top, width, height;
  int tabIndex;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 4380;
inline constexpr int kClientHeightTwips = 1935;

// In the order the controls are stored with the window.
inline constexpr std::array<ControlRow, 17> kControls{{
    {"Command2", ControlKind::CommandButton, texts::kAbout, 3720, 1150, 615, 375, 8},
    {"Option2", ControlKind::OptionButton, texts::kParabolic, 1560, 1680, 1335, 255, 7},
    {"Option1", ControlKind::OptionButton, texts::kLinear, 120, 1680, 1095, 255, 6},
    {"Command1", ControlKind::CommandButton, texts::kExit, 3720, 1560, 615, 375, 9},
    {"Text7", ControlKind::TextBox, texts::kFormula, 120, 1130, 3735, 615, 16},
    {"Text1", ControlKind::TextBox, "", 885, 120, 975, 270, 0},
    {"Text2", ControlKind::TextBox, "", 3285, 120, 975, 270, 1},
    {"Text3", ControlKind::TextBox, "", 885, 480, 975, 270, 2},
    {"Text4", ControlKind::TextBox, "", 3285, 480, 975, 270, 3},
    {"Text5", ControlKind::TextBox, "", 885, 840, 975, 270, 4},
    {"Text6", ControlKind::TextBox, "", 3285, 840, 975, 270, 5},
    {"Label1", ControlKind::Label, texts::kLabelK1, 165, 120, 735, 255, 15},
    {"Label2", ControlKind::Label, texts::kLabelW1, 2085, 120, 1380, 255, 14},
    {"Label3", ControlKind::Label, texts::kLabelK2, 165, 480, 735, 255, 13},
    {"Label4", ControlKind::Label, texts::kLabelW2, 2085, 480, 1335, 255, 12},
    {"Label5", ControlKind::Label, texts::kLabelKx, 165, 840, 735, 255, 11},
    {"Label6", ControlKind::Label, texts::kLabelWx, 2085, 840, 1335, 255, 10},
}};

// Twips to logical pixels at a layout scale, to the nearest pixel.
constexpr int twipsToPixels(int twips, qreal scale = 1) {
  return static_cast<int>(twips * scale / kTwipsPerPixel + 0.5);
}

// Each edge is converted on its own, so controls that meet in twips meet on
// screen as well, at any scale.
constexpr QRect pixelRect(const ControlRow& c, qreal scale = 1) {
  const int left = twipsToPixels(c.left, scale);
  const int top = twipsToPixels(c.top, scale);
  return QRect(left, top, twipsToPixels(c.left + c.width, scale) - left,
               twipsToPixels(c.top + c.height, scale) - top);
}

constexpr QSize clientSize(qreal scale = 1) {
  return QSize(twipsToPixels(kClientWidthTwips, scale), twipsToPixels(kClientHeightTwips, scale));
}

}  // namespace vornell::ui
