// The transition mode buttons: one exclusive group, like Windows' own.
#pragma once

#include <QRadioButton>

namespace vornell::ui {

class OptionButton final : public QRadioButton {
  Q_OBJECT

 public:
  using QRadioButton::QRadioButton;

 protected:
  // A click anywhere on the button's rectangle counts, as the layout shows it.
  bool hitButton(const QPoint& pos) const override;
  // Every arrow key selects the next or previous button, round the group;
  // QRadioButton moves by geometry, so Up and Down would do nothing.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vornell::ui
