// The bar over the formula box that tells of a failed run or a refused edit,
// or what a box read when it is not what was typed. It never takes the focus,
// so every key reaches the box being edited; Escape or its × closes it, and
// assistive tools get an alert when a message comes up.
#pragma once

#include <QFrame>

#include <functional>
#include <optional>

class QLabel;

namespace vornell::ui {

// The key that applies a notice's fix, as texts::kPlainStation names it.
inline constexpr Qt::Key kApplyNoticeKey = Qt::Key_F2;

struct Message {
  enum class Kind { Notice, Failure };  // a failure weighs more
  Kind kind;
  QString text;
  // A message about the subject of the one before changes it in place; one
  // without (an event) is told every time.
  QString subject;
  std::function<void()> fix;  // run by kApplyNoticeKey or a click on the bar
};

class MessageBar final : public QFrame {
  Q_OBJECT

 public:
  explicit MessageBar(QWidget* window);  // hidden; the window places it

  // Shows `message` instead of the one before, or nothing. A message the user
  // closed stays closed while its subject goes on, even under a weightier
  // message that comes and goes; one of another subject ends that.
  void tell(std::optional<Message> message);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void closeMessage();
  void applyFix();

  QLabel* text_;
  std::optional<Message> message_;
  std::optional<Message> closed_;
};

}  // namespace vornell::ui
