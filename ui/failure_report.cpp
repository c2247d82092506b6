#include "ui/failure_report.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <utility>

#include "ui/number_box.h"
#include "ui/window_texts.h"

namespace vornell::ui {

using texts::toQString;

QString failureText(NumericErrorKind kind, std::optional<InputField> input,
                    const QString& boxName) {
  if (kind == NumericErrorKind::FloatingPoint) {
    return toQString(texts::kFloatingPointError);
  }
  if (!input) {
    return toQString(texts::kOverflowInResult);
  }
  // A station may be too large for a double, or too large to compare.
  const bool station = *input == InputField::K1 || *input == InputField::K2;
  return toQString(station ? texts::kOverflowInStation : texts::kOverflowInBox).arg(boxName);
}

QString refusedLengthText(const QString& boxName) {
  return toQString(texts::kInputTooLong).arg(boxName).arg(kMaxNumberTextLength);
}

ReportBar::ReportBar(QWidget* window, QStyle::StandardPixmap icon)
    : QFrame(window), icon_(new QLabel(this)), text_(new QLabel(this)), iconKind_(icon) {
  setFrameShape(QFrame::Box);
  setAccessibleDescription(toQString(texts::kHowToCloseReport));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setBrush(QPalette::Window, colours.toolTipBase());
  colours.setBrush(QPalette::WindowText, colours.toolTipText());
  setPalette(colours);
  text_->setWordWrap(true);

  // Clicked with the mouse; the keyboard closes the bar with Escape.
  auto* close = new QToolButton(this);
  close->setText(QStringLiteral("×"));
  close->setAutoRaise(true);
  close->setFocusPolicy(Qt::NoFocus);
  close->setAccessibleName(toQString(texts::kCloseReport));
  close->setToolTip(close->accessibleName());
  connect(close, &QToolButton::clicked, this, [this] { dismiss(); });
  // Active only while the bar shows; a number box lets Escape through.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] { dismiss(); });

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(3, 1, 1, 1);
  row->setSpacing(3);
  row->addWidget(icon_, 0, Qt::AlignTop);
  row->addWidget(text_, 1);
  row->addWidget(close, 0, Qt::AlignTop);
  hide();
}

void ReportBar::present(const QString& message) {
  hide();
  // The icon is looked up in the desktop's icon theme, which loads image
  // plugins: not worth delaying every start for.
  if (!std::exchange(iconLoaded_, true)) {
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon_->setPixmap(style()->standardIcon(iconKind_, nullptr, this).pixmap(size, size));
  }
  setMessage(message);
  show();
  raise();
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

void ReportBar::setMessage(const QString& message) {
  if (message != accessibleName()) {  // a change is announced to assistive tools
    text_->setText(message);
    setAccessibleName(message);
  }
}

FailureReport::FailureReport(QWidget* window) : ReportBar(window, QStyle::SP_MessageBoxWarning) {
  setObjectName(QStringLiteral("FailureReport"));
}

void FailureReport::reportFailure(const QString& message) {
  if (message != failing_) {
    failing_ = message;
    present(message);
    emit shownChanged(true);
  }
}

void FailureReport::clearFailure() {
  failing_.clear();
  dismiss();
}

void FailureReport::reportRefusal(const QString& message) {
  present(message);
  emit shownChanged(true);
}

void FailureReport::dismiss() {
  if (!isHidden()) {
    hide();
    emit shownChanged(false);
  }
}

NoticeBar::NoticeBar(QWidget* window)
    : ReportBar(window, QStyle::SP_MessageBoxInformation),
      applyKey_(new QShortcut(QKeySequence(kApplyNoticeKey), this)) {
  setObjectName(QStringLiteral("Notice"));
  connect(applyKey_, &QShortcut::activated, this, [this] { applyFix(); });
  applyKey_->setEnabled(false);
}

void NoticeBar::setNotice(const QString& subject, const QString& message,
                          std::function<void()> fix) {
  const bool anew = subject != subject_;
  closed_ = closed_ && !anew;
  subject_ = subject;
  message_ = message;
  fix_ = std::move(fix);
  applyKey_->setEnabled(bool(fix_));
  fix_ ? setCursor(Qt::PointingHandCursor) : unsetCursor();
  showNotice(anew);
}

void NoticeBar::clearNotice() {
  if (!subject_.isEmpty()) {
    setNotice(QString(), QString());
  }
}

void NoticeBar::setCovered(bool covered) {
  if (covered != std::exchange(covered_, covered)) {
    showNotice(!covered);
  }
}

void NoticeBar::dismiss() {
  closed_ = true;
  hide();
}

// Shown when there is a notice, neither closed nor covered; announced when it
// comes up, or when `anew` its subject changed.
void NoticeBar::showNotice(bool anew) {
  if (message_.isEmpty() || closed_ || covered_) {
    hide();
  } else if (anew || isHidden()) {
    present(message_);
  } else {
    setMessage(message_);
  }
}

void NoticeBar::applyFix() {
  if (fix_) {
    const std::function<void()> fix = fix_;  // which ends this notice
    fix();
  }
}

void NoticeBar::mousePressEvent(QMouseEvent* event) {
  event->setAccepted(fix_ && event->button() == Qt::LeftButton);
}

void NoticeBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->pos())) {
    applyFix();
  }
}

}  // namespace vornell::ui
