#include "ui/failure_report.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include "ui/number_input.h"

namespace vornell::ui {

// ---- The texts of the report, all in one place ----------------------------

QString failureText(NumericErrorKind kind, std::optional<InputField> input,
                    const QString& boxName) {
  if (kind == NumericErrorKind::FloatingPoint) {
    return QStringLiteral("浮点运算错误：计算结果超出数值范围");
  }
  if (!input) {
    return QStringLiteral("溢出：计算结果超出数值范围");
  }
  if (*input == InputField::K1 || *input == InputField::K2) {
    // Too large for a double, or too large to compare with the other station.
    return QStringLiteral("溢出：%1 的数值超出可比较的里程范围").arg(boxName);
  }
  return QStringLiteral("溢出：%1 的数值超出范围").arg(boxName);
}

QString refusedLengthText(const QString& boxName) {
  return QStringLiteral("输入过长：%1 最多容纳 %2 个字符，这次输入未被接受")
      .arg(boxName)
      .arg(kMaxNumberTextLength);
}

namespace {

const QString kCloseCaption = QStringLiteral("×");
const QString kCloseName = QStringLiteral("关闭提示（Esc）");
const QString kHowToClose = QStringLiteral("按 Esc 键关闭提示，输入可以继续");

// Clicked with the mouse; the keyboard closes the report with Escape.
QToolButton* makeCloseButton(QWidget* report) {
  auto* close = new QToolButton(report);
  close->setText(kCloseCaption);
  close->setAutoRaise(true);
  close->setFocusPolicy(Qt::NoFocus);
  close->setAccessibleName(kCloseName);
  close->setToolTip(kCloseName);
  return close;
}

}  // namespace

// ---------------------------------------------------------------------------

FailureReport::FailureReport(QWidget* window, const QRect& area) : QFrame(window) {
  setObjectName(QStringLiteral("FailureReport"));
  setGeometry(area);
  setFrameShape(QFrame::Box);
  setFocusPolicy(Qt::NoFocus);
  setAccessibleDescription(kHowToClose);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
  setPalette(colours);

  icon_ = new QLabel(this);
  const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  icon_->setPixmap(style()
                       ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                       .pixmap(iconSize, iconSize));
  text_ = new QLabel(this);
  text_->setWordWrap(true);
  text_->setTextInteractionFlags(Qt::NoTextInteraction);
  auto* close = makeCloseButton(this);
  connect(close, &QToolButton::clicked, this, [this] { hide(); });

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(3, 1, 1, 1);
  row->setSpacing(3);
  row->addWidget(icon_, 0, Qt::AlignTop);
  row->addWidget(text_, 1);
  row->addWidget(close, 0, Qt::AlignTop);

  // Active only while the report shows; a number box lets Escape through.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] { hide(); });
  hide();
}

void FailureReport::reportFailure(const QString& message) {
  if (message == failing_) {
    return;
  }
  failing_ = message;
  present(message);
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
  text_->setText(message);
  setAccessibleName(message);
  show();
  raise();
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

}  // namespace vornell::ui
