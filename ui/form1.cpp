#include "ui/form1.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/chainage.h"
#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "resources/program_icon.h"
#include "ui/control_table.h"
#include "ui/failure_report.h"
#include "ui/number_box.h"
#include "ui/option_button.h"
#include "ui/window_texts.h"

namespace vornell::ui {

namespace {

// Space between the formula box's left edge and its text, in pixels.
constexpr qreal kFormulaIndent = 2.0;

using texts::toQString;

// A label's caption without its closing full-width colon: the name that
// assistive tools read for the box beside it.
QString boxName(const QLabel* label) {
  return label->text().chopped(1);
}

std::string_view viewOf(const QByteArray& text) {
  return std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
}

// The formula as three lines: the line end after the last opens no fourth.
QStringList formulaLines() {
  return toQString(texts::kFormula).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// The part of a label's width, in twips, that the box beside it leaves visible.
int visibleLabelTwips(const ControlRow& label) {
  int right = label.left + label.width;
  for (const ControlRow& row : kControls) {
    if (row.kind == ControlKind::TextBox && row.top == label.top && row.left > label.left) {
      right = std::min(right, row.left);
    }
  }
  return right - label.left;
}

// What a text needs of its control along one axis, in logical pixels: the
// text's own extent, which grows with the font, and what the control keeps for
// its frame, indicator or margins, which does not; against the extent in
// twips of the control's rectangle in the stored layout.
struct TextRoom {
  qreal text;
  qreal kept;
  int twips;
};

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(toQString(texts::kWindowTitle));
  setWindowIcon(vornell::programIcon());
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);

  createControls();
  setUpFormulaBox();
  // Failures and notices are shown over the formula box, which lies below
  // every number box, and never take the focus; a failure covers a notice.
  notice_ = new NoticeBar(this);
  report_ = new FailureReport(this);
  connect(report_, &FailureReport::shownChanged, notice_, &NoticeBar::setCovered);
  layOut();
  // Centred on the screen when first shown.
  setGeometry(
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
  wireHandlers();
  buildTabOrder();
  Text1->setFocus(Qt::OtherFocusReason);
}

// A control made from its row of the control table: its name, rectangle and
// caption. Controls are made in the order they are stored with the window,
// which is also their stacking order.
template <typename Control>
Control* Form1::add(std::string_view name) {
  const ControlRow& row = kControls.at(controls_.size());
  Q_ASSERT(row.name == name);
  auto* control = new Control(this);
  control->setObjectName(toQString(row.name));
  if constexpr (std::is_base_of_v<QAbstractButton, Control> || std::is_same_v<Control, QLabel>) {
    control->setText(toQString(row.caption));
  }
  controls_.push_back(control);
  return control;
}

void Form1::createControls() {
  Command2 = add<QPushButton>("Command2");
  Option2 = add<OptionButton>("Option2");
  Option1 = add<OptionButton>("Option1");
  Command1 = add<QPushButton>("Command1");
  Text7 = add<QTextEdit>("Text7");
  Text1 = add<NumberBox>("Text1");
  Text2 = add<NumberBox>("Text2");
  Text3 = add<NumberBox>("Text3");
  Text4 = add<NumberBox>("Text4");
  Text5 = add<NumberBox>("Text5");
  Text6 = add<NumberBox>("Text6");
  Label1 = add<QLabel>("Label1");
  Label2 = add<QLabel>("Label2");
  Label3 = add<QLabel>("Label3");
  Label4 = add<QLabel>("Label4");
  Label5 = add<QLabel>("Label5");
  Label6 = add<QLabel>("Label6");
  Option1->setChecked(true);  // Option1 and Option2 form one auto-exclusive group

  // The labels lie on the window's surface beneath everything, so the boxes
  // cover the ends of the long ones. The formula box lies beneath the four
  // buttons whose edges it overlaps, so every pixel of a button is clickable.
  Text7->lower();
  for (QLabel* label : {Label6, Label5, Label4, Label3, Label2, Label1}) {
    label->lower();
  }
}

// The formula box: read-only, no scroll bars, skipped by Tab, on the colour
// of button faces, its three lines starting a little in from the left edge.
void Form1::setUpFormulaBox() {
  Text7->setReadOnly(true);
  Text7->setTextInteractionFlags(Qt::NoTextInteraction);
  Text7->setFocusPolicy(Qt::NoFocus);
  Text7->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text7->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text7->setLineWrapMode(QTextEdit::NoWrap);
  Text7->document()->setDocumentMargin(0);
  QPalette formulaPalette = Text7->palette();
  formulaPalette.setBrush(QPalette::Base, formulaPalette.button());
  Text7->setPalette(formulaPalette);
  Text7->setAccessibleName(toQString(texts::kFormulaName));

  Text7->setPlainText(formulaLines().join(u'\n'));
}

// The window keeps the stored layout and the desktop's font: where a text
// would not show whole in its control at the stored size, the whole layout
// grows by one scale, as a dialog laid out in dialog units grows with its
// font. Only a window that would then not fit on the screen shows its text
// in a smaller font, just small enough for the screen.
void Form1::layOut() {
  const auto setTextFont = [this](const QFont& font) {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      child->setFont(font);
    }
  };
  setTextFont(QFont());  // the desktop's, should an earlier layout have set a smaller one
  const QFontMetricsF metrics(font());
  std::vector<TextRoom> rooms;
  // One line of text, and the ink of `inked`, in a control that keeps `kept`
  // for itself and centres the font's line (ascent over descent) in the rest,
  // as AlignVCenter does: twice the ink's farthest reach from the line's middle.
  const qreal middle = (metrics.descent() - metrics.ascent()) / 2;  // from the baseline, down
  const auto addLine = [&](const QString& text, const QString& inked, const ControlRow& row,
                           QSizeF kept) {
    const QRectF ink = metrics.tightBoundingRect(inked);
    rooms.push_back({metrics.horizontalAdvance(text), kept.width(), row.width});
    rooms.push_back(
        {2 * std::max(middle - ink.top(), ink.bottom() - middle), kept.height(), row.height});
  };
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const ControlRow& row = kControls[i];
    const QString caption = toQString(row.caption);
    if (row.kind == ControlKind::Label) {
      addLine(caption, caption, row, {});
      // Where a box covers the label's end, the ink must end before the box.
      rooms.push_back({metrics.boundingRect(caption).right(), 0, visibleLabelTwips(row)});
    } else if (row.kind != ControlKind::TextBox) {
      QStyleOptionButton button;
      button.initFrom(controls_[i]);
      button.features = QStyleOptionButton::AutoDefaultButton;
      const QRect text = style()->subElementRect(row.kind == ControlKind::OptionButton
                                                     ? QStyle::SE_RadioButtonContents
                                                     : QStyle::SE_PushButtonContents,
                                                 &button, this);
      addLine(caption, caption, row, button.rect.size() - text.size());
    } else if (controls_[i] == Text1) {  // the six number boxes are alike
      // Nine of the widest digit and a point, as in 123456.789 or 1604.86667.
      const QString digits = QStringLiteral("0123456789");
      const QChar widest = *std::max_element(digits.begin(), digits.end(), [&](QChar a, QChar b) {
        return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
      });
      addLine(QString(9, widest) + u'.', digits + QStringLiteral("-+.E"), row, Text1->chrome());
    } else if (controls_[i] == Text7) {
      const qreal framed = Text7->width() - Text7->contentsRect().width();
      for (const QString& line : formulaLines()) {
        rooms.push_back({kFormulaIndent + metrics.horizontalAdvance(line), framed, row.width});
      }
      // The lines end above the mode buttons, which lie over the box's foot.
      const auto mode = std::find_if(kControls.begin(), kControls.end(), [](const ControlRow& c) {
        return c.kind == ControlKind::OptionButton;
      });
      rooms.push_back({layFormulaLines(), qreal(Text7->contentsRect().top()), mode->top - row.top});
    }
  }

  // The smallest scale at which every text has its room, but for the screen.
  // A rectangle's edges are rounded to pixels one by one, so it may come out
  // up to a pixel short of its exact extent: that pixel is allowed for.
  qreal scale = 1;
  for (const TextRoom& room : rooms) {
    scale = std::max(scale, (room.text + room.kept + 1) * kTwipsPerPixel / room.twips);
  }
  // Room for the window system's frame: borders and a title bar, as the style
  // draws them; and half a pixel, as the window's size is rounded.
  const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QSizeF screenRoom =
      screen()->availableGeometry().size() -
      QSize(2 * border, 2 * border + style()->pixelMetric(QStyle::PM_TitleBarHeight)) -
      QSizeF(0.5, 0.5);
  const qreal largest = std::min(screenRoom.width() / clientSize().width(),
                                 screenRoom.height() / clientSize().height());
  if (scale > largest) {
    scale = std::max(qreal(1), largest);
    // Texts grow about in proportion to the font, not exactly, as glyphs are
    // placed on whole pixels: two hundredths are kept for that.
    qreal share = 0.98;
    for (const TextRoom& room : rooms) {
      const qreal roomForText = room.twips * scale / kTwipsPerPixel - 1 - room.kept;
      share = std::min(share, 0.98 * roomForText / room.text);
    }
    QFont smaller = font();
    smaller.setPointSizeF(std::floor(QFontInfo(smaller).pointSizeF() * share * 4) / 4);
    setTextFont(smaller);
    layFormulaLines();
  }

  for (std::size_t i = 0; i < kControls.size(); ++i) {
    controls_[i]->setGeometry(pixelRect(kControls[i], scale));
  }
  const QRect reportArea(Text7->pos(), QPoint(Command2->x(), Option1->y()) - QPoint(1, 1));
  report_->setGeometry(reportArea);
  notice_->setGeometry(reportArea);
  setFixedSize(clientSize(scale));
}

// The three formula lines, spaced as closely as their ink allows and starting
// where the first line's ink meets the top of the box. Returns the height they
// take, from the top of the box's contents to the end of the last line's ink.
qreal Form1::layFormulaLines() {
  const QFontMetricsF metrics(Text7->font());
  QRectF ink;
  for (const QString& line : formulaLines()) {
    ink |= metrics.tightBoundingRect(line);
  }
  QTextDocument* document = Text7->document();
  QTextFrameFormat frame = document->rootFrame()->frameFormat();
  frame.setLeftMargin(kFormulaIndent);
  frame.setTopMargin(0);
  document->rootFrame()->setFrameFormat(frame);
  QTextBlockFormat lineFormat;
  lineFormat.setLineHeight(std::ceil(ink.height()), QTextBlockFormat::FixedHeight);
  QTextCursor all(document);
  all.select(QTextCursor::Document);
  all.mergeBlockFormat(lineFormat);
  // Where the toolkit puts the baselines in lines of that height, as laid out.
  const auto baseline = [document](const QTextBlock& block) {
    const QTextLine line = block.layout()->lineAt(0);
    return document->documentLayout()->blockBoundingRect(block).top() + line.y() + line.ascent();
  };
  const qreal above =
      std::ceil(std::max(qreal(0), -(baseline(document->firstBlock()) + ink.top())));
  frame.setTopMargin(above);
  document->rootFrame()->setFrameFormat(frame);
  return baseline(document->lastBlock()) + ink.bottom();
}

// GotFocus of a number box runs 自动选择, Change of Text1 to Text5 and Click
// of a mode run 计算; Text6 has no Change handler.
void Form1::wireHandlers() {
  const std::pair<NumberBox*, QLabel*> boxes[] = {
      {Text1, Label1}, {Text2, Label2}, {Text3, Label3},
      {Text4, Label4}, {Text5, Label5}, {Text6, Label6},
  };
  for (const auto& [each, label] : boxes) {
    NumberBox* const box = each;  // a variable of its own, for the lambdas to capture
    box->setAccessibleName(boxName(label));
    label->setBuddy(box);
    connect(box, &NumberBox::gotFocus, this, [box] { 自动选择(*box); });
    connect(box, &NumberBox::refused, this,
            [this, box] { report_->reportRefusal(refusedLengthText(box->accessibleName())); });
    if (box != Text6) {
      connect(box, &QLineEdit::textChanged, this, [this, box] { recalculate(box); });
    }
  }
  Text6->setAccessibleName(boxName(Label6) + toQString(texts::kResultNameSuffix));
  Text6->setAccessibleDescription(toQString(texts::kResultCurrent));
  for (OptionButton* option : {Option1, Option2}) {
    connect(option, &QAbstractButton::clicked, this, [this] { recalculate(nullptr); });
  }
  // Enter presses the focused button, as Space does.
  Command1->setAutoDefault(true);
  Command2->setAutoDefault(true);
  connect(Command2, &QPushButton::clicked, this, [this] { showAbout(); });
  connect(Command1, &QPushButton::clicked, this, [this] { exitProgram(); });
}

// Tab follows TabIndex through the controls that take the focus; of the two
// modes the toolkit lets Tab stop only at the selected one.
void Form1::buildTabOrder() {
  std::vector<std::pair<int, QWidget*>> order;
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (controls_[i]->focusPolicy() != Qt::NoFocus) {
      order.emplace_back(kControls[i].tabIndex, controls_[i]);
    }
  }
  std::sort(order.begin(), order.end());
  for (std::size_t i = 1; i < order.size(); ++i) {
    setTabOrder(order[i - 1].second, order[i].second);
  }
}

// A result kept from an earlier run reads in the colour of disabled text,
// and says so to assistive tools, until a run writes a new one.
void Form1::setResultCurrent(bool current) {
  const QString description = toQString(current ? texts::kResultCurrent : texts::kResultStale);
  if (Text6->accessibleDescription() == description) {
    return;  // as it was: nothing to repaint or announce
  }
  QPalette look = palette();
  if (!current) {
    look.setColor(QPalette::Text, look.color(QPalette::Disabled, QPalette::Text));
  }
  Text6->setPalette(look);
  Text6->setAccessibleDescription(description);
}

bool Form1::计算() {
  std::optional<InterpolationMode> mode;
  if (Option1->isChecked()) {
    mode = InterpolationMode::Linear;
  } else if (Option2->isChecked()) {
    mode = InterpolationMode::Parabolic;
  }
  const QByteArray inputs[] = {Text1->text().toUtf8(), Text2->text().toUtf8(),
                               Text3->text().toUtf8(), Text4->text().toUtf8(),
                               Text5->text().toUtf8()};  // K1, W1, K2, W2, Kx
  const std::optional<std::string> result =
      interpolate(mode, {viewOf(inputs[0]), viewOf(inputs[1]), viewOf(inputs[2]), viewOf(inputs[3]),
                         viewOf(inputs[4])});
  if (result) {
    Text6->setText(QString::fromStdString(*result));
    Text6->setCursorPosition(0);  // shown from the first digit
  }
  setResultCurrent(result.has_value());
  return result.has_value();
}

// The notice is settled before a failure report goes, so that what shows
// then is the notice for the boxes as they are.
void Form1::recalculate(const NumberBox* edited) {
  bool written = false;
  bool failed = false;
  try {
    written = 计算();
  } catch (const NumericError& error) {
    reportError(error);
    failed = true;
  }
  updateNotice(edited, written);
  if (!failed) {
    report_->clearFailure();
  }
}

// A box whose reading stopped early says what it read (one that fails to
// read is the failure report's), a station in chainage notation offering its
// plain form; else, in the parabolic mode, a result beyond K1..K2 says so.
void Form1::updateNotice(const NumberBox* edited, bool resultWritten) {
  std::array<NumberBox*, 5> boxes = {Text1, Text2, Text3, Text4, Text5};
  if (const auto first = std::find(boxes.begin(), boxes.end(), edited); first != boxes.end()) {
    std::rotate(boxes.begin(), first, first + 1);  // the others stay in order
  }
  for (NumberBox* box : boxes) {
    const QByteArray text = box->text().toUtf8();
    const std::string_view view = viewOf(text);
    if (readingOf(view).extent != TextReading::Extent::Stopped) {
      continue;
    }
    double value = 0;
    try {
      value = readNumber(view);
    } catch (const NumericError&) {
      continue;
    }
    QString message = toQString(texts::kReadAs)
                          .arg(box->accessibleName(), QString::fromStdString(numberToText(value)));
    std::function<void()> fix;
    if (const std::optional<std::string> plain = chainagePlainForm(view)) {
      const QString typed = QString::fromStdString(*plain);
      message += toQString(texts::kPlainStation).arg(typed);
      fix = [box, typed] {  // typed over the whole text, so one undo takes it back
        box->selectAll();
        box->insert(typed);
        if (!box->hasFocus()) {
          box->setCursorPosition(0);
        }
      };
    }
    notice_->setNotice(box->objectName(), message, std::move(fix));
    return;
  }
  if (!resultWritten || !Option2->isChecked()) {
    notice_->clearNotice();
    return;
  }
  // Read without failing: the run that wrote the result read them.
  const QByteArray k1 = Text1->text().toUtf8(), k2 = Text3->text().toUtf8(),
                   kx = Text5->text().toUtf8();
  if (outsideStations({viewOf(k1), {}, viewOf(k2), {}, viewOf(kx)})) {
    notice_->setNotice(QStringLiteral("outside"),
                       toQString(texts::kOutsideStations).arg(Text5->accessibleName()));
  } else {
    notice_->clearNotice();
  }
}

// Reported in the window, without taking the focus from the box being
// edited: the user goes on typing, and a failure that repeats with each key
// is reported once.
void Form1::reportError(const NumericError& error) {
  setResultCurrent(false);
  const NumberBox* boxes[] = {Text1, Text2, Text3, Text4, Text5};  // K1, W1, K2, W2, Kx
  const std::optional<InputField> input = error.input();
  const QString name = input ? boxes[static_cast<int>(*input)]->accessibleName() : QString();
  report_->reportFailure(failureText(error.kind(), input, name));
}

void Form1::showAbout() {
  QMessageBox box(QMessageBox::Information, toQString(texts::kProgramName),
                  toQString(texts::kAboutMessage), QMessageBox::Ok, this);
  box.exec();
  // Back to the window as it was; not every window system gives the
  // activation back to the window a message box leaves.
  if (isVisible()) {
    activateWindow();
  }
}

void Form1::exitProgram() {
  close();
  QCoreApplication::quit();
}

void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    const QSize before = size();
    layOut();
    const QSize grown = size() - before;
    move(pos() - QPoint(grown.width() / 2, grown.height() / 2));  // about its centre
  }
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
