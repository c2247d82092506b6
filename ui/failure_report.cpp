#include "ui/failure_report.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
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

FailureReport::FailureReport(QWidget* window)
    : QFrame(window), icon_(new QLabel(this)), text_(new QLabel(this)) {
  setObjectName(QStringLiteral("FailureReport"));
  setFrameShape(QFrame::Box);
  setAccessibleDescription(toQString(texts::kHowToCloseReport));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setBrush(QPalette::Window, colours.toolTipBase());
  colours.setBrush(QPalette::WindowText, colours.toolTipText());
  setPalette(colours);
  text_->setWordWrap(true);

  // Clicked with the mouse; the keyboard closes the report with Escape.
  auto* close = new QToolButton(this);
  close->setText(QStringLiteral("×"));
  close->setAutoRaise(true);
  close->setFocusPolicy(Qt::NoFocus);
  close->setAccessibleName(toQString(texts::kCloseReport));
  close->setToolTip(close->accessibleName());
  connect(close, &QToolButton::clicked, this, &QWidget::hide);
  // Active only while the report shows; a number box lets Escape through.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::hide);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(3, 1, 1, 1);
  row->setSpacing(3);
  row->addWidget(icon_, 0, Qt::AlignTop);
  row->addWidget(text_, 1);
  row->addWidget(close, 0, Qt::AlignTop);
  hide();
}

void FailureReport::reportFailure(const QString& message) {
  if (message != failing_) {
    failing_ = message;
    present(message);
  }
}

void FailureReport::clearFailure() {
  failing_.clear();
  hide();
}

void FailureReport::reportRefusal(const QString& message) {
  present(message);
}

// Each report comes up anew, even over one still showing.
void FailureReport::present(const QString& message) {
  hide();
  // The warning sign is looked up in the desktop's icon theme, which loads
  // image plugins: not worth delaying every start for.
  if (!std::exchange(iconLoaded_, true)) {
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon_->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size, size));
  }
  text_->setText(message);
  setAccessibleName(message);
  show();
  raise();
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

}  // namespace vornell::ui
