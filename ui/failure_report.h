// How the window tells the user that a calculation failed or an input was
// refused: a bar over the formula box with the message and a close button. It
// never takes the focus and runs no event loop of its own, so every key typed
// after a failure reaches the box being edited. Escape closes it, as does its
// close button; assistive technology is told with an alert.
//
// One failing state gives one report: while the same failure repeats, key
// after key, nothing new is shown, and a report the user closed stays closed.
// A run that succeeds ends the failing state and takes its report away.
#pragma once

#include <QFrame>
#include <QString>

#include <optional>

#include "core/numeric_text.h"

class QLabel;

namespace vornell::ui {

// The texts of the report. `boxName` names the box whose number failed, e.g.
// "宽度或高程W1".
QString failureText(NumericErrorKind kind, std::optional<InputField> input, const QString& boxName);
QString refusedLengthText(const QString& boxName);

class FailureReport final : public QFrame {
  Q_OBJECT

 public:
  // A hidden report, a child of `window`; the window gives it its place.
  explicit FailureReport(QWidget* window);

  // A run failed with `message`; shown unless that state is reported already.
  void reportFailure(const QString& message);
  // A run ended without failure: the failing state, and its report, are over.
  void clearFailure();
  // An edit was refused: said every time it happens.
  void reportRefusal(const QString& message);

 private:
  void present(const QString& message);

  QLabel* icon_;
  QLabel* text_;
  bool iconLoaded_ = false;
  QString failing_;  // the message of the current failing state, if any
};

}  // namespace vornell::ui
