#include "ui/option_button.h"

#include <QKeyEvent>

namespace vornell::ui {

bool OptionButton::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool arrow =
      key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  if (!arrow || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    QRadioButton::keyPressEvent(event);
    return;
  }
  const QList<OptionButton*> group =
      parentWidget()->findChildren<OptionButton*>(QString(), Qt::FindDirectChildrenOnly);
  const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
  const auto count = group.size();
  OptionButton* next = group.at((group.indexOf(this) + (forward ? 1 : count - 1)) % count);
  next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  next->click();
}

}  // namespace vornell::ui
