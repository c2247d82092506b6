#include "ui/message_bar.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolButton>

#include <utility>

#include "ui/window_texts.h"

namespace vornell::ui {

MessageBar::MessageBar(QWidget* window) : QFrame(window), text_(new QLabel(this)) {
  setObjectName(QStringLiteral("MessageBar"));
  setFrameShape(QFrame::Box);
  setAccessibleDescription(texts::toQString(texts::kHowToCloseReport));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  setForegroundRole(QPalette::ToolTipText);
  text_->setWordWrap(true);

  auto* close = new QToolButton(this);
  close->setText(QStringLiteral("×"));
  close->setAutoRaise(true);
  close->setFocusPolicy(Qt::NoFocus);
  close->setAccessibleName(texts::toQString(texts::kCloseReport));
  close->setToolTip(close->accessibleName());
  // Shortcuts of a hidden widget are inactive, so a box gets these keys then.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          [this] { closeMessage(); });
  connect(close, &QToolButton::clicked, this, [this] { closeMessage(); });
  connect(new QShortcut(QKeySequence(kApplyNoticeKey), this), &QShortcut::activated, this,
          [this] { applyFix(); });

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(row->spacing(), 0, 0, 0);
  row->addWidget(text_, 1);
  row->addWidget(close, 0, Qt::AlignTop);
  hide();
}

void MessageBar::tell(std::optional<Message> message) {
  const auto sameSubject = [](const std::optional<Message>& a, const std::optional<Message>& b) {
    return a && b && !a->subject.isEmpty() && a->subject == b->subject;
  };
  const bool weightier = message && closed_ && message->kind > closed_->kind;
  if (!weightier && !sameSubject(message, closed_)) {
    closed_.reset();
  }
  const bool anew = isHidden() || !sameSubject(message, message_);
  message_ = std::move(message);
  if (!message_ || sameSubject(message_, closed_)) {
    hide();
    return;
  }
  if (message_->text != accessibleName()) {  // a change is told to assistive tools
    text_->setText(message_->text);
    setAccessibleName(message_->text);
  }
  message_->fix ? setCursor(Qt::PointingHandCursor) : unsetCursor();
  if (anew) {
    hide();  // to come up anew
    show();
    raise();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }
}

void MessageBar::closeMessage() {
  closed_ = message_;
  hide();
}

void MessageBar::applyFix() {
  if (message_ && message_->fix) {
    const std::function<void()> fix = message_->fix;  // whose run replaces the message
    fix();
  }
}

void MessageBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->pos())) {
    applyFix();
  }
}

}  // namespace vornell::ui
