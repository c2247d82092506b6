#include "ui/form1.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextFrameFormat>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "ui/control_table.h"
#include "ui/failure_report.h"
#include "ui/number_input.h"

namespace vornell::ui {

namespace {

// The smallest size to which the default font is reduced to fit the layout.
constexpr qreal kSmallestPointSize = 6.0;
// Space between the formula box's left edge and its text, in pixels.
constexpr qreal kFormulaIndent = 2.0;

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const ControlRow& rowFor(std::string_view name) {
  const ControlRow* row = findControl(name);
  Q_ASSERT(row != nullptr);
  return *row;
}

// An option button that takes a click anywhere on its rectangle, not only on
// its indicator and caption: the layout's rectangle is what the user sees.
class OptionButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Creates a control of the window from its row of the control table.
template <typename Control>
Control* makeControl(QWidget* window, std::string_view name) {
  const ControlRow& row = rowFor(name);
  auto* control = new Control(window);
  control->setObjectName(fromUtf8(row.name));
  control->setGeometry(pixelRect(row));
  return control;
}

template <typename Control>
Control* makeCaptioned(QWidget* window, std::string_view name) {
  Control* control = makeControl<Control>(window, name);
  control->setText(fromUtf8(rowFor(name).caption));
  return control;
}

// A label's caption without its closing full-width colon: the name that
// assistive tools read for the box beside it.
QString boxName(const QLabel* label) {
  QString name = label->text();
  if (name.endsWith(u'：')) {
    name.chop(1);
  }
  return name;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Vornell1.1"));
  setWindowIcon(QIcon(QStringLiteral(":/vornell/vornell.png")));
  setFixedSize(clientSize());
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);

  // Created in the order the controls are stored with the window; a later
  // control lies above an earlier one until the restacking below.
  Command2 = makeCaptioned<QPushButton>(this, "Command2");
  Option2 = makeCaptioned<OptionButton>(this, "Option2");
  Option1 = makeCaptioned<OptionButton>(this, "Option1");
  Command1 = makeCaptioned<QPushButton>(this, "Command1");
  Text7 = makeControl<QTextEdit>(this, "Text7");
  Text1 = makeControl<QLineEdit>(this, "Text1");
  Text2 = makeControl<QLineEdit>(this, "Text2");
  Text3 = makeControl<QLineEdit>(this, "Text3");
  Text4 = makeControl<QLineEdit>(this, "Text4");
  Text5 = makeControl<QLineEdit>(this, "Text5");
  Text6 = makeControl<QLineEdit>(this, "Text6");
  Label1 = makeCaptioned<QLabel>(this, "Label1");
  Label2 = makeCaptioned<QLabel>(this, "Label2");
  Label3 = makeCaptioned<QLabel>(this, "Label3");
  Label4 = makeCaptioned<QLabel>(this, "Label4");
  Label5 = makeCaptioned<QLabel>(this, "Label5");
  Label6 = makeCaptioned<QLabel>(this, "Label6");

  // The labels lie on the window's surface beneath everything, so the boxes
  // cover the ends of the long ones. The formula box lies beneath the four
  // buttons whose edges it overlaps, so every pixel of a button is clickable.
  Text7->lower();
  for (QLabel* label : {Label6, Label5, Label4, Label3, Label2, Label1}) {
    label->lower();
  }

  Option1->setChecked(true);  // Option1 and Option2 form one auto-exclusive group

  // The formula box: read-only, no scroll bars, skipped by Tab, on the colour
  // of button faces. It shows the three lines of its text; the line end after
  // the last one opens no fourth line.
  QString formula = fromUtf8(kFormulaText);
  formula.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (formula.endsWith(u'\n')) {
    formula.chop(1);
  }
  Text7->setAcceptRichText(false);
  Text7->setReadOnly(true);
  Text7->setTextInteractionFlags(Qt::NoTextInteraction);
  Text7->setFocusPolicy(Qt::NoFocus);
  Text7->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text7->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text7->setLineWrapMode(QTextEdit::NoWrap);
  Text7->setUndoRedoEnabled(false);
  Text7->document()->setDocumentMargin(0);
  QPalette formulaPalette = Text7->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    formulaPalette.setColor(group, QPalette::Base, formulaPalette.color(group, QPalette::Button));
  }
  Text7->setPalette(formulaPalette);

  // The layout is fixed, the default font is not: when the formula's longest
  // line is wider than its box in the default font, every control takes the
  // default font a little smaller, so that nothing is cut off.
  const QStringList formulaLines = formula.split(u'\n');
  const qreal formulaWidth = Text7->contentsRect().width() - kFormulaIndent;
  const qreal formulaHeight = Text7->contentsRect().height();
  const auto fitsFormulaBox = [&](const QFont& candidate) {
    const QFontMetricsF metrics(candidate);
    return std::all_of(formulaLines.begin(), formulaLines.end(), [&](const QString& line) {
      return metrics.horizontalAdvance(line) <= formulaWidth;
    });
  };
  QFont fitted = font();
  while (!fitsFormulaBox(fitted) && fitted.pointSizeF() > kSmallestPointSize) {
    fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
  }
  if (fitted != font()) {
    setFont(fitted);
  }
  Text7->setPlainText(formula);
  // The text starts a little in from the left edge, as in the number boxes.
  QTextFrameFormat formulaFrame = Text7->document()->rootFrame()->frameFormat();
  formulaFrame.setLeftMargin(kFormulaIndent);
  Text7->document()->rootFrame()->setFrameFormat(formulaFrame);
  // Lines no taller than a third of the box, so the three lines always show.
  const qreal lineHeight = std::floor(formulaHeight / static_cast<qreal>(formulaLines.size()));
  QTextBlockFormat lines;
  lines.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
  QTextCursor all(Text7->document());
  all.select(QTextCursor::Document);
  all.mergeBlockFormat(lines);
  Text7->setAccessibleName(QStringLiteral("计算公式"));

  const std::pair<QLineEdit*, QLabel*> boxes[] = {
      {Text1, Label1}, {Text2, Label2}, {Text3, Label3},
      {Text4, Label4}, {Text5, Label5}, {Text6, Label6},
  };
  for (const auto& [box, label] : boxes) {
    box->setAccessibleName(boxName(label));
    label->setBuddy(box);
    box->installEventFilter(this);
    box->setMaxLength(std::numeric_limits<int>::max());  // never cut silently: see number_input.h
    setUpNumberBox(box, [this](QLineEdit* refused) {
      report_->reportRefusal(refusedLengthText(refused->accessibleName()));
    });
  }
  Text6->setAccessibleName(boxName(Label6) + QStringLiteral("（计算结果）"));
  Text6->setAccessibleDescription(QStringLiteral("计算结果，修改参数后自动更新"));

  report_ = new FailureReport(
      this, QRect(Text7->pos(), QPoint(Command2->x(), Option1->y()) - QPoint(1, 1)));
  // Text1 to Text5: Change runs 计算. Text6 has no Change handler.
  for (QLineEdit* input : {Text1, Text2, Text3, Text4, Text5}) {
    connect(input, &QLineEdit::textChanged, this, [this, input] { recalculate(input); });
  }
  for (QRadioButton* option : {Option1, Option2}) {
    connect(option, &QRadioButton::clicked, this, [this, option] { recalculate(option); });
    option->installEventFilter(this);
  }
  // Enter presses the focused button, as Space does.
  Command1->setAutoDefault(true);
  Command2->setAutoDefault(true);
  connect(Command2, &QPushButton::clicked, this, [this] { showAbout(); });
  connect(Command1, &QPushButton::clicked, this, [this] { exitProgram(); });

  tabOrder_ = {
      {rowFor("Text1").tabIndex, Text1},       {rowFor("Text2").tabIndex, Text2},
      {rowFor("Text3").tabIndex, Text3},       {rowFor("Text4").tabIndex, Text4},
      {rowFor("Text5").tabIndex, Text5},       {rowFor("Text6").tabIndex, Text6},
      {rowFor("Option1").tabIndex, Option1},   {rowFor("Option2").tabIndex, Option2},
      {rowFor("Command2").tabIndex, Command2}, {rowFor("Command1").tabIndex, Command1},
  };
  std::sort(tabOrder_.begin(), tabOrder_.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
    setTabOrder(tabOrder_[i - 1].second, tabOrder_[i].second);
  }

  Text1->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

QString Form1::aboutText() {
  return QStringLiteral("修改参数后自动计算所求点宽度，TAB键在文本框之间切换。") +
         QStringLiteral("\r\n") + QString(13, u' ') + QStringLiteral("------") +
         QStringLiteral("Vornell 1.1") + QStringLiteral("。");
}

void Form1::计算() {
  std::optional<InterpolationMode> mode;
  if (Option1->isChecked()) {
    mode = InterpolationMode::Linear;
  } else if (Option2->isChecked()) {
    mode = InterpolationMode::Parabolic;
  }
  const QByteArray k1 = Text1->text().toUtf8();
  const QByteArray w1 = Text2->text().toUtf8();
  const QByteArray k2 = Text3->text().toUtf8();
  const QByteArray w2 = Text4->text().toUtf8();
  const QByteArray kx = Text5->text().toUtf8();
  const InputTexts texts{
      std::string_view(k1.constData(), static_cast<std::size_t>(k1.size())),
      std::string_view(w1.constData(), static_cast<std::size_t>(w1.size())),
      std::string_view(k2.constData(), static_cast<std::size_t>(k2.size())),
      std::string_view(w2.constData(), static_cast<std::size_t>(w2.size())),
      std::string_view(kx.constData(), static_cast<std::size_t>(kx.size())),
  };
  if (const std::optional<std::string> result = interpolate(mode, texts)) {
    Text6->setText(QString::fromStdString(*result));
  }
}

void Form1::recalculate(QWidget* source) {
  try {
    计算();
    report_->clearFailure();
  } catch (const NumericError& error) {
    reportError(error, source);
  }
}

// Reported in the window, without taking the focus from `source`: the user
// goes on typing, and a failure that repeats with each key is reported once.
void Form1::reportError(const NumericError& error, QWidget* source) {
  Q_UNUSED(source);
  const QLineEdit* boxes[] = {Text1, Text2, Text3, Text4, Text5};  // K1, W1, K2, W2, Kx
  const std::optional<InputField> input = error.input();
  const QString name = input ? boxes[static_cast<int>(*input)]->accessibleName() : QString();
  report_->reportFailure(failureText(error.kind(), input, name));
}

void Form1::showAbout() {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Vornell"), aboutText(), QMessageBox::Ok,
                  this);
  box.exec();
  // Back to the window as it was.
  if (isVisible()) {
    activateWindow();
  }
}

void Form1::exitProgram() {
  close();
  QCoreApplication::quit();
}

bool Form1::isNumberBox(const QObject* object) const {
  return object == Text1 || object == Text2 || object == Text3 || object == Text4 ||
         object == Text5 || object == Text6;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (isNumberBox(watched)) {
    return handleNumberBoxEvent(static_cast<QLineEdit*>(watched), event);
  }
  if (watched == Option1 || watched == Option2) {
    return handleOptionKey(static_cast<QRadioButton*>(watched), event);
  }
  return QWidget::eventFilter(watched, event);
}

// GotFocus of a number box runs 自动选择. Handled before the box's own focus
// handling, which keeps an existing selection.
bool Form1::handleNumberBoxEvent(QLineEdit* box, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn: {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // The window coming back (after a message box or from another program)
      // and a closing popup return the focus to where the user was editing.
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        break;
      }
      自动选择(*box);
      selectOnRelease_ = reason == Qt::MouseFocusReason ? box : nullptr;
      break;
    }
    case QEvent::FocusOut:
      if (selectOnRelease_ == box) {
        selectOnRelease_ = nullptr;
      }
      break;
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        selectOnRelease_ = nullptr;
      }
      break;
    case QEvent::MouseButtonRelease:
      // The press that gave the focus has put the caret under the mouse;
      // the click as a whole selects the text, unless it dragged a selection.
      if (selectOnRelease_ == box) {
        selectOnRelease_ = nullptr;
        if (!box->hasSelectedText()) {
          自动选择(*box);
        }
      }
      break;
    default:
      break;
  }
  return false;
}

// The arrow keys move between the two modes and select the one they reach,
// in every direction and round the group.
bool Form1::handleOptionKey(QRadioButton* option, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return false;
  }
  switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      QRadioButton* other = option == Option1 ? Option2 : Option1;
      other->setFocus(Qt::OtherFocusReason);
      other->click();
      return true;
    }
    default:
      return false;
  }
}

// Tab stops: every focusable control in TabIndex order, but of the two modes
// only the selected one.
bool Form1::isTabStop(const QWidget* control) const {
  if (!control->isEnabled() || !control->isVisibleTo(this)) {
    return false;
  }
  if (control == Option1 || control == Option2) {
    const bool anyChecked = Option1->isChecked() || Option2->isChecked();
    return !anyChecked || static_cast<const QRadioButton*>(control)->isChecked();
  }
  return true;
}

bool Form1::focusNextPrevChild(bool next) {
  const QWidget* current = focusWidget();
  const auto at = std::find_if(tabOrder_.begin(), tabOrder_.end(),
                               [current](const auto& entry) { return entry.second == current; });
  const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(tabOrder_.size());
  std::ptrdiff_t index = at == tabOrder_.end() ? (next ? -1 : count) : at - tabOrder_.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    index = ((next ? index + 1 : index - 1) % count + count) % count;
    QWidget* candidate = tabOrder_[static_cast<std::size_t>(index)].second;
    if (isTabStop(candidate)) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}

void Form1::showEvent(QShowEvent* event) {
  if (!centred_ && !event->spontaneous()) {
    centred_ = true;
    if (const QScreen* where = screen()) {
      setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                      where->availableGeometry()));
    }
  }
  QWidget::showEvent(event);
}

}  // namespace vornell::ui
