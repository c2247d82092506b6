// How the window tells the user that a calculation failed or an input was
// refused, and, beneath that, what a box read when it is not what was typed:
// bars over the formula box with an icon, the message and a close button.
// They never take the focus and run no event loop of their own, so every key
// typed reaches the box being edited. Escape closes the bar that shows, as
// does its close button; assistive technology is told with an alert.
//
// One failing state gives one report: while the same failure repeats, key
// after key, nothing new is shown, and a report the user closed stays closed.
// A run that succeeds ends the failing state and takes its report away.
//
// A notice lies in the same place and waits while a failure report shows
// there. It follows what it is about: a notice about a new subject comes up
// anew (and is announced), one about the same subject changes its text in
// place, and a notice the user closed stays closed until its subject changes.
#pragma once

#include <QFrame>
#include <QString>
#include <QStyle>

#include <functional>
#include <optional>

#include "core/numeric_text.h"

class QLabel;
class QShortcut;

namespace vornell::ui {

// The texts of the report. `boxName` names the box whose number failed, e.g.
// "宽度或高程W1".
QString failureText(NumericErrorKind kind, std::optional<InputField> input, const QString& boxName);
QString refusedLengthText(const QString& boxName);

// The key that applies a notice's fix, as the notices name it (texts::kPlainStation).
inline constexpr Qt::Key kApplyNoticeKey = Qt::Key_F2;

// A hidden bar, a child of `window`; the window gives it its place.
class ReportBar : public QFrame {
  Q_OBJECT

 public:
  ReportBar(QWidget* window, QStyle::StandardPixmap icon);

 protected:
  // Shows `message` anew, even over one still showing, and announces it.
  void present(const QString& message);
  // Changes the message shown, without announcing it as new.
  void setMessage(const QString& message);
  // What the close button and Escape do.
  virtual void dismiss() { hide(); }

 private:
  QLabel* icon_;
  QLabel* text_;
  QStyle::StandardPixmap iconKind_;
  bool iconLoaded_ = false;
};

class FailureReport final : public ReportBar {
  Q_OBJECT

 public:
  explicit FailureReport(QWidget* window);

  // A run failed with `message`; shown unless that state is reported already.
  void reportFailure(const QString& message);
  // A run ended without failure: the failing state, and its report, are over.
  void clearFailure();
  // An edit was refused: said every time it happens.
  void reportRefusal(const QString& message);

 signals:
  // The report came up or went away.
  void shownChanged(bool shown);

 protected:
  void dismiss() override;

 private:
  QString failing_;  // the message of the current failing state, if any
};

class NoticeBar final : public ReportBar {
  Q_OBJECT

 public:
  explicit NoticeBar(QWidget* window);

  // Tells `message` about `subject` (which tells notices apart). With `fix`,
  // a click on the bar or the key kApplyNoticeKey runs it.
  void setNotice(const QString& subject, const QString& message, std::function<void()> fix = {});
  void clearNotice();
  // While a failure report covers the bar's place, the notice waits.
  void setCovered(bool covered);

 protected:
  void dismiss() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void applyFix();
  void showNotice(bool anew);

  QShortcut* applyKey_;
  QString subject_;
  QString message_;
  std::function<void()> fix_;
  bool closed_ = false;
  bool covered_ = false;
};

}  // namespace vornell::ui
