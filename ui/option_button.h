// The transition mode buttons: one exclusive group, like Windows' own option
// buttons.
#pragma once

#include <QRadioButton>

namespace vornell::ui {

class OptionButton final : public QRadioButton {
  Q_OBJECT

 public:
  using QRadioButton::QRadioButton;

 protected:
  // A click anywhere on the button's rectangle counts, not only on its
  // indicator and caption: the rectangle is what the layout shows.
  bool hitButton(const QPoint& pos) const override;
  // Every arrow key moves to the next or previous button of the group, round
  // the group, and selects it. QRadioButton moves by geometry instead: with
  // the buttons side by side, Up and Down do nothing and Right on the last
  // button does not come round to the first.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vornell::ui
