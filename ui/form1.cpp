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
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionFrame>
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
#include <utility>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "resources/program_icon.h"
#include "ui/caption_fit.h"
#include "ui/control_table.h"
#include "ui/failure_report.h"
#include "ui/number_input.h"
#include "ui/window_texts.h"

namespace vornell::ui {

namespace {

// Space between the formula box's left edge and its text, in pixels.
constexpr qreal kFormulaIndent = 2.0;

using texts::toQString;

// An option button that takes a click anywhere on its rectangle, not only on
// its indicator and caption: the layout's rectangle is what the user sees.
class OptionButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A control of the window from its row of the control table.
QWidget* makeControl(QWidget* window, const ControlRow& row) {
  QWidget* control = nullptr;
  const QString caption = toQString(row.caption);
  switch (row.kind) {
    case ControlKind::CommandButton:
      control = new QPushButton(caption, window);
      break;
    case ControlKind::OptionButton:
      control = new OptionButton(caption, window);
      break;
    case ControlKind::Label:
      control = new QLabel(caption, window);
      break;
    case ControlKind::TextBox:
      // The boxes with a stored text are the multi-line ones.
      control = caption.isEmpty() ? static_cast<QWidget*>(new QLineEdit(window))
                                  : static_cast<QWidget*>(new QTextEdit(window));
      break;
  }
  control->setObjectName(toQString(row.name));
  control->setGeometry(pixelRect(row));
  return control;
}

// The window losing or regaining the activation (a message box, another
// program) or a popup: the caret and selection in the box stay as they were.
bool isPassingFocus(const QEvent* event) {
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
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

// The formula as three lines: the line end after the last opens no fourth.
QStringList formulaLines() {
  QString formula = toQString(texts::kFormula);
  formula.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (formula.endsWith(u'\n')) {
    formula.chop(1);
  }
  return formula.split(u'\n');
}

// The part of a label's rectangle that the boxes lying above it leave visible.
qreal visibleLabelWidth(const ControlRow& label) {
  const QRect rect = pixelRect(label);
  int right = rect.right() + 1;
  for (const ControlRow& row : kControls) {
    const QRect box = pixelRect(row);
    if (row.kind == ControlKind::TextBox && box.intersects(rect) && box.left() > rect.left()) {
      right = std::min(right, box.left());
    }
  }
  return right - rect.left();
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(toQString(texts::kWindowTitle));
  setWindowIcon(vornell::programIcon());
  setFixedSize(clientSize());
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);

  createControls();
  stackControls();
  setUpFormulaBox();
  fitFont();
  // Failures are shown over the formula box and never take the focus.
  report_ = new FailureReport(
      this, QRect(Text7->pos(), QPoint(Command2->x(), Option1->y()) - QPoint(1, 1)));
  setUpNumberBoxes();
  wireHandlers();
  buildTabOrder();
  Text1->setFocus(Qt::OtherFocusReason);
}

// In the order the controls are stored with the window.
void Form1::createControls() {
  for (const ControlRow& row : kControls) {
    makeControl(this, row);
  }
  const auto find = [this]<typename Control>(Control*& member, const char* name) {
    member = findChild<Control*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT(member != nullptr);
  };
  find(Text1, "Text1");
  find(Text2, "Text2");
  find(Text3, "Text3");
  find(Text4, "Text4");
  find(Text5, "Text5");
  find(Text6, "Text6");
  find(Text7, "Text7");
  find(Label1, "Label1");
  find(Label2, "Label2");
  find(Label3, "Label3");
  find(Label4, "Label4");
  find(Label5, "Label5");
  find(Label6, "Label6");
  find(Option1, "Option1");
  find(Option2, "Option2");
  find(Command1, "Command1");
  find(Command2, "Command2");
  Option1->setChecked(true);  // Option1 and Option2 form one auto-exclusive group
}

// The labels lie on the window's surface beneath everything, so the boxes
// cover the ends of the long ones. The formula box lies beneath the four
// buttons whose edges it overlaps, so every pixel of a button is clickable.
void Form1::stackControls() {
  Text7->lower();
  for (QLabel* label : {Label6, Label5, Label4, Label3, Label2, Label1}) {
    label->lower();
  }
}

// The formula box: read-only, no scroll bars, skipped by Tab, on the colour
// of button faces, its three lines starting a little in from the left edge.
void Form1::setUpFormulaBox() {
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
  Text7->setAccessibleName(toQString(texts::kFormulaName));

  const QStringList lines = formulaLines();
  Text7->setPlainText(lines.join(u'\n'));
  QTextFrameFormat frame = Text7->document()->rootFrame()->frameFormat();
  frame.setLeftMargin(kFormulaIndent);
  Text7->document()->rootFrame()->setFrameFormat(frame);
  // Lines no taller than a third of the box, so the three lines always show.
  QTextBlockFormat lineFormat;
  lineFormat.setLineHeight(std::floor(Text7->contentsRect().height() / qreal(lines.size())),
                           QTextBlockFormat::FixedHeight);
  QTextCursor all(Text7->document());
  all.select(QTextCursor::Document);
  all.mergeBlockFormat(lineFormat);
}

// The layout is fixed, the default font is not: when a caption would not
// show whole in the default font, every control takes it a little smaller.
void Form1::fitFont() {
  LayoutNeeds needs{{}, 0};
  const QStyle* look = style();
  const int indicator = look->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, Option1) +
                        look->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, Option1);
  const int buttonMargin = look->pixelMetric(QStyle::PM_ButtonMargin, nullptr, Command1) +
                           2 * look->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, Command1);
  for (const ControlRow& row : kControls) {
    const QString caption = toQString(row.caption);
    const qreal width = pixelRect(row).width();
    if (row.kind == ControlKind::Label) {
      needs.captions.push_back({caption, width, visibleLabelWidth(row)});
    } else if (row.kind == ControlKind::OptionButton) {
      needs.captions.push_back({caption, width - indicator, width - indicator});
    } else if (row.kind == ControlKind::CommandButton) {
      needs.captions.push_back({caption, width - buttonMargin, width - buttonMargin});
    }
  }
  for (const QString& line : formulaLines()) {
    const qreal width = Text7->contentsRect().width() - kFormulaIndent;
    needs.captions.push_back({line, width, width});
  }
  needs.numberHeight = Text1->contentsRect().height();
  const QFont fitted = fittedFont(font(), needs);
  if (fitted != font()) {
    setFont(fitted);
  }
}

void Form1::setUpNumberBoxes() {
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
    connect(box, &QLineEdit::textChanged, box,
            [box](const QString& text) { box->setToolTip(text); });
  }
  Text6->setAccessibleName(boxName(Label6) + toQString(texts::kResultNameSuffix));
  Text6->setAccessibleDescription(toQString(texts::kResultCurrent));
}

void Form1::wireHandlers() {
  // Text1 to Text5: Change runs 计算. Text6 has no Change handler.
  for (QLineEdit* input : {Text1, Text2, Text3, Text4, Text5}) {
    connect(input, &QLineEdit::textChanged, this, [this] { recalculate(); });
  }
  for (QRadioButton* option : {Option1, Option2}) {
    connect(option, &QRadioButton::clicked, this, [this] { recalculate(); });
    option->installEventFilter(this);
  }
  // Enter presses the focused button, as Space does.
  Command1->setAutoDefault(true);
  Command2->setAutoDefault(true);
  connect(Command2, &QPushButton::clicked, this, [this] { showAbout(); });
  connect(Command1, &QPushButton::clicked, this, [this] { exitProgram(); });
}

// Every control that takes the focus, in the order of its TabIndex.
void Form1::buildTabOrder() {
  for (const ControlRow& row : kControls) {
    auto* control = findChild<QWidget*>(toQString(row.name), Qt::FindDirectChildrenOnly);
    if (control->focusPolicy() & Qt::TabFocus) {
      tabOrder_.emplace_back(row.tabIndex, control);
    }
  }
  std::sort(tabOrder_.begin(), tabOrder_.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
    setTabOrder(tabOrder_[i - 1].second, tabOrder_[i].second);
  }
}

void Form1::showFromStart(QLineEdit* box) {
  box->setCursorPosition(0);
}

// A result kept from an earlier run reads in the colour of disabled text,
// and says so to assistive tools, until a run writes a new one.
void Form1::setResultCurrent(bool current) {
  if (current == resultCurrent_) {
    return;
  }
  resultCurrent_ = current;
  QPalette look = palette();
  if (!current) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      look.setColor(group, QPalette::Text, look.color(QPalette::Disabled, QPalette::Text));
    }
  }
  Text6->setPalette(look);
  Text6->setAccessibleDescription(toQString(current ? texts::kResultCurrent : texts::kResultStale));
}

Form1::~Form1() = default;

QString Form1::aboutText() {
  return toQString(texts::kAboutMessage);
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
  const std::optional<std::string> result = interpolate(mode, texts);
  if (result) {
    Text6->setText(QString::fromStdString(*result));
    showFromStart(Text6);
  }
  setResultCurrent(result.has_value());
}

void Form1::recalculate() {
  try {
    计算();
    report_->clearFailure();
  } catch (const NumericError& error) {
    reportError(error);
  }
}

// Reported in the window, without taking the focus from the box being
// edited: the user goes on typing, and a failure that repeats with each key
// is reported once.
void Form1::reportError(const NumericError& error) {
  setResultCurrent(false);
  const QLineEdit* boxes[] = {Text1, Text2, Text3, Text4, Text5};  // K1, W1, K2, W2, Kx
  const std::optional<InputField> input = error.input();
  const QString name = input ? boxes[static_cast<int>(*input)]->accessibleName() : QString();
  report_->reportFailure(failureText(error.kind(), input, name));
}

void Form1::showAbout() {
  QMessageBox box(QMessageBox::Information, toQString(texts::kProgramName), aboutText(),
                  QMessageBox::Ok, this);
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
// handling, which keeps an existing selection. Left for another control, the
// box shows its number from the start.
bool Form1::handleNumberBoxEvent(QLineEdit* box, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      if (!isPassingFocus(event)) {
        自动选择(*box);
        const bool byMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        selectOnRelease_ = byMouse ? box : nullptr;
      }
      break;
    case QEvent::FocusOut:
      if (selectOnRelease_ == box) {
        selectOnRelease_ = nullptr;
      }
      if (!isPassingFocus(event)) {
        showFromStart(box);
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
      if (std::exchange(selectOnRelease_, nullptr) == box && !box->hasSelectedText()) {
        自动选择(*box);
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

// At scale factors such as 1.5 the formula box starts half-way into a device
// pixel, and its own painting leaves that row out: its top edge went missing.
// The window draws the box's frame beneath it, so the edge shows there.
void Form1::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QStyleOptionFrame frame;
  frame.initFrom(Text7);
  frame.rect = Text7->geometry();
  frame.lineWidth = Text7->lineWidth();
  frame.midLineWidth = Text7->midLineWidth();
  frame.frameShape = Text7->frameShape();
  frame.state |= QStyle::State_Sunken;
  QPainter painter(this);
  style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, Text7);
}

}  // namespace vornell::ui
