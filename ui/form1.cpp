#include "ui/form1.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWindow>

#include <algorithm>
#include <utility>

#include "core/interpolation.h"
#include "resources/program_icon.h"
#include "ui/control_table.h"
#include "ui/message_bar.h"
#include "ui/number_box.h"
#include "ui/option_button.h"
#include "ui/window_texts.h"

namespace vornell::ui {

namespace {

using texts::toQString;

// A station, an elevation and a result as long as real ones: each shows whole.
const char* const kLongNumbers[] = {"123456.789", "1604.86667", "1444.82753"};

// The part of a control, in twips, that others leave uncovered: a long
// label's end, the formula box's right end and foot lie under other controls.
QSize visibleTwips(const ControlRow& c) {
  const QRect rect(c.left, c.top, c.width, c.height);
  QRect visible = rect;
  for (const ControlRow& o : kControls) {
    const QRect other(o.left, o.top, o.width, o.height);
    if (!rect.intersects(other) || other == rect) {
      continue;
    }
    if (other.left() > rect.left() && other.right() >= rect.right()) {
      visible.setRight(std::min(visible.right(), other.left() - 1));
    } else if (other.top() > rect.top() && other.left() >= rect.left() &&
               other.bottom() >= rect.bottom()) {
      visible.setBottom(std::min(visible.bottom(), other.top() - 1));
    }
  }
  return visible.size();
}

// What a number box needs to show the widest of kLongNumbers whole in `font`.
QSize numberBoxNeeds(QWidget* window, const QFont& font) {
  NumberBox probe(window);
  probe.setFont(font);
  const QFontMetrics metrics(font);
  const auto width = [&metrics](const char* number) {
    return metrics.horizontalAdvance(QLatin1String(number));
  };
  return probe.sizeShowing(QLatin1String(
      *std::max_element(std::begin(kLongNumbers), std::end(kLongNumbers),
                        [&width](const char* a, const char* b) { return width(a) < width(b); })));
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(toQString(texts::kWindowTitle));
  setWindowIcon(vornell::programIcon());
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  createControls();
  bar_ = new MessageBar(this);
  wireHandlers();
  buildTabOrder();
  create();  // the frame is known now where the window system tells it before showing
  layOut();
  setGeometry(  // centred on the screen
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
  Text1->setFocus(Qt::OtherFocusReason);
}

// A control made from its row of the control table, in the order of the
// table, which is also the stacking order.
template <typename Control>
Control* Form1::add(std::string_view name) {
  const ControlRow& row = kControls.at(controls_.size());
  Q_ASSERT(row.name == name);
  auto* control = new Control(this);
  control->setObjectName(toQString(row.name));
  control->setText(toQString(row.caption));
  controls_.push_back(control);
  return control;
}

void Form1::createControls() {
  Command2 = add<QPushButton>("Command2");
  Option2 = add<OptionButton>("Option2");
  Option1 = add<OptionButton>("Option1");
  Command1 = add<QPushButton>("Command1");
  Text7 = add<QLabel>("Text7");
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
  inputs_ = {Text1, Text2, Text3, Text4, Text5};

  // The formula box: framed like a text box, on the colour of button faces.
  Text7->setText(Text7->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
  Text7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Text7->setFrameStyle(int(QFrame::StyledPanel) | QFrame::Sunken);
  Text7->setAutoFillBackground(true);
  QPalette faces = Text7->palette();
  faces.setBrush(QPalette::Window, faces.button());
  Text7->setPalette(faces);
  Text7->setAccessibleName(toQString(texts::kFormulaName));
  // Labels lie beneath everything, the boxes over the long ones' ends; the
  // formula box beneath the buttons, so every pixel of a button is clickable.
  Text7->lower();
  for (QLabel* label : {Label6, Label5, Label4, Label3, Label2, Label1}) {
    label->lower();
  }
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
    box->setAccessibleName(label->text().chopped(1));  // the caption without its colon
    label->setBuddy(box);
    connect(box, &NumberBox::gotFocus, this, [this, box] { 自动选择(*box); });
    connect(box, &NumberBox::refused, this, [this, box] {
      const QString text =
          toQString(texts::kInputTooLong).arg(box->accessibleName()).arg(kMaxNumberTextLength);
      bar_->tell(Message{Message::Kind::Failure, text, QString(), {}});
    });
    if (box != Text6) {
      connect(box, &QLineEdit::textChanged, this, [this, box] { recalculate(box); });
    }
  }
  Text6->setAccessibleName(Text6->accessibleName() + toQString(texts::kResultNameSuffix));
  Text6->setAccessibleDescription(toQString(texts::kResultCurrent));
  for (OptionButton* option : {Option1, Option2}) {
    connect(option, &QAbstractButton::clicked, this, [this] { recalculate(nullptr); });
  }
  // Enter presses the focused button, as Space does.
  Command1->setAutoDefault(true);
  Command2->setAutoDefault(true);
  connect(Command2, &QPushButton::clicked, this, [this] { showAbout(); });
  // The last window closed, the program ends.
  connect(Command1, &QPushButton::clicked, this, &QWidget::close);
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

// The stored layout in the desktop's font, grown by one scale where a text
// needs it, as a dialog in dialog units grows with its font. Only a window that
// would leave the screen takes a smaller font: the largest (to ¼ pt) that fits.
void Form1::layOut() {
  const auto setControlFonts = [this](const QFont& font) {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      child->setFont(font);
    }
  };
  QFont font;  // the desktop's, should an earlier layout have set a smaller one
  setControlFonts(font);
  qreal scale = scaleNeeded();
  // The largest scale at which the window with its frame fits on the screen.
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  const QSize room = screen()->availableGeometry().size().shrunkBy(frame);
  const qreal largest =
      std::max(qreal(1), std::min(room.width() * qreal(kTwipsPerPixel) / kClientWidthTwips,
                                  room.height() * qreal(kTwipsPerPixel) / kClientHeightTwips));
  if (scale > largest) {
    qreal fits = 0;
    qreal fitsNot = QFontInfo(font).pointSizeF();
    while (fitsNot - fits > 0.25) {
      font.setPointSizeF((fits + fitsNot) / 2);
      setControlFonts(font);
      (scaleNeeded() <= largest ? fits : fitsNot) = font.pointSizeF();
    }
    font.setPointSizeF(fits);
    setControlFonts(font);
    scale = largest;
  }
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    controls_[i]->setGeometry(pixelRect(kControls[i], scale));
  }
  bar_->setGeometry(QRect(Text7->pos(), QPoint(Command2->x(), Option1->y()) - QPoint(1, 1)));
  setFixedSize(clientSize(scale));
}

// The smallest scale, at least 1, at which every text shows whole in the
// uncovered part of its control (its frame or indicator does not grow). A
// rectangle's edges, rounded one by one, may make it a pixel short: allowed for.
qreal Form1::scaleNeeded() {
  qreal scale = 1;
  const auto fit = [&scale](QSize needed, QSize twips) {
    scale = std::max({scale, (needed.width() + 1.0) * kTwipsPerPixel / twips.width(),
                      (needed.height() + 1.0) * kTwipsPerPixel / twips.height()});
  };
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const QSize twips = visibleTwips(kControls[i]);
    if (const auto* label = qobject_cast<QLabel*>(controls_[i])) {
      fit(label->sizeHint(), twips);
    } else if (const auto* button = qobject_cast<QAbstractButton*>(controls_[i])) {
      QStyleOptionButton option;
      option.initFrom(button);
      const bool radio = kControls[i].kind == ControlKind::OptionButton;
      option.features = radio ? QStyleOptionButton::None : QStyleOptionButton::AutoDefaultButton;
      const QRect caption = style()->subElementRect(
          radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
      const QFontMetrics metrics(button->font());
      fit(QSize(metrics.horizontalAdvance(button->text()), metrics.height()) + button->size() -
              caption.size(),
          twips);
    } else if (controls_[i] == Text1) {  // the six number boxes are alike
      fit(numberBoxNeeds(this, Text1->font()), twips);
    }
  }
  return scale;
}

void Form1::recalculate(const NumberBox* edited) {
  bar_->tell(messageOf(计算(), edited));
}

Calculation Form1::计算() {
  const std::optional<InterpolationMode> mode =
      Option1->isChecked()   ? std::optional(InterpolationMode::Linear)
      : Option2->isChecked() ? std::optional(InterpolationMode::Parabolic)
                             : std::nullopt;
  std::array<QByteArray, 5> utf8;
  InputTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    utf8[i] = inputs_[i]->text().toUtf8();
    texts[i] = std::string_view(utf8[i].constData(), static_cast<std::size_t>(utf8[i].size()));
  }
  const Calculation run = interpolate(mode, texts);
  if (run.result) {
    Text6->setText(QString::fromStdString(*run.result));
    Text6->setCursorPosition(0);  // shown from the first digit
  }
  setResultCurrent(run.result.has_value());
  return run;
}

std::optional<Message> Form1::messageOf(const Calculation& run, const NumberBox* edited) const {
  if (run.failure) {
    const QString text = failureText(*run.failure);
    return Message{Message::Kind::Failure, text, text, {}};  // one report per failing state
  }
  std::array<std::size_t, 5> order = {0, 1, 2, 3, 4};  // the box edited first
  std::stable_partition(order.begin(), order.end(),
                        [&](std::size_t i) { return inputs_[i] == edited; });
  for (const std::size_t i : order) {
    const BoxReading& reading = run.readings[i];
    if (!reading.readAs) {
      continue;  // read whole, or too large: the failure tells that
    }
    NumberBox* const box = inputs_[i];
    Message notice{Message::Kind::Notice,
                   toQString(texts::kReadAs)
                       .arg(box->accessibleName(), QString::fromStdString(*reading.readAs)),
                   box->objectName(),
                   {}};
    if (reading.plainStation) {
      const QString plain = QString::fromStdString(*reading.plainStation);
      notice.text += toQString(texts::kPlainStation).arg(plain);
      notice.fix = [box, plain] {  // typed over the whole text, so one undo takes it back
        box->selectAll();
        box->insert(plain);
        if (!box->hasFocus()) {
          box->setCursorPosition(0);
        }
      };
    }
    return notice;
  }
  if (run.outsideStations) {
    return Message{Message::Kind::Notice,
                   toQString(texts::kOutsideStations).arg(Text5->accessibleName()),
                   QStringLiteral("outside"),
                   {}};
  }
  return std::nullopt;
}

QString Form1::failureText(const Failure& failure) const {
  if (!failure.input) {  // the arithmetic's
    return toQString(failure.kind == FailureKind::FloatingPoint ? texts::kFloatingPointError
                                                                : texts::kOverflowInResult);
  }
  // A station may be too large for a double, or too large to compare.
  const bool station = *failure.input == InputField::K1 || *failure.input == InputField::K2;
  return toQString(station ? texts::kOverflowInStation : texts::kOverflowInBox)
      .arg(inputs_[static_cast<std::size_t>(*failure.input)]->accessibleName());
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

void Form1::自动选择(QLineEdit& box) {
  box.setSelection(0, static_cast<int>(box.text().size()));
}

void Form1::showAbout() {
  QMessageBox box(QMessageBox::Information, toQString(texts::kProgramName),
                  toQString(texts::kAboutMessage), QMessageBox::Ok, this);
  box.exec();
  // Not every window system gives the activation back to the window.
  if (isVisible()) {
    activateWindow();
  }
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

}  // namespace vornell::ui
