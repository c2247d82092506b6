// The start-up baseline: a window of the same size as the calculator's, with
// the same controls, captions and geometry, built from the same control
// table, but no behaviour at all (no signal is connected). The start-up
// benchmark compares the program against it.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include "ui/control_table.h"
#include "ui/window_texts.h"

namespace {

using vornell::ui::ControlKind;
using vornell::ui::ControlRow;
using vornell::ui::texts::toQString;

QWidget* makeControl(const ControlRow& row, QWidget* window) {
  const QString caption = toQString(row.caption);
  switch (row.kind) {
    case ControlKind::CommandButton:
      return new QPushButton(caption, window);
    case ControlKind::OptionButton:
      return new QRadioButton(caption, window);
    case ControlKind::Label:
      return new QLabel(caption, window);
    case ControlKind::TextBox:
      break;
  }
  if (caption.isEmpty()) {
    return new QLineEdit(window);
  }
  auto* formula = new QLabel(caption, window);  // the formula box, framed
  formula->setFrameStyle(int(QFrame::StyledPanel) | QFrame::Sunken);
  return formula;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);

  QWidget window;
  window.setWindowTitle(toQString(vornell::ui::texts::kWindowTitle));
  window.setFixedSize(vornell::ui::clientSize());
  for (const ControlRow& row : vornell::ui::kControls) {
    makeControl(row, &window)->setGeometry(vornell::ui::pixelRect(row));
  }

  window.show();
  return QApplication::exec();
}
