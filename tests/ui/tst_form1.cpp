// The main window: its controls and layout, the Tab order, the recompute on
// every edit and mode click, select-on-focus, About, Exit and failures.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>
#include <optional>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "ui/control_table.h"
#include "ui/form1.h"
#include "ui/toolkit_texts.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::test::ModalBoxCloser;
using vornell::test::typeText;
using vornell::ui::Form1;

namespace {

const QString kFormulaCrLf =
    u"线性:Wx=W1+(Kx-K1)/(K2-K1)*(W2-W1)。\r\n"
    u"抛物线I=(Kx-K1)/(K2-K1),\r\n"
    u"      Wx=W1+(3*I^2-2*I^3)*(W2-W1)。\r\n"_s;

const QString kAboutText =
    u"修改参数后自动计算所求点宽度，TAB键在文本框之间切换。\r\n"
    u"             ------Vornell 1.1。"_s;

}  // namespace

class TestForm1 : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startState();
  void formulaBox();
  void geometry_data();
  void geometry();
  void stacking();
  void tabCycle_data();
  void tabCycle();
  void overlappedButtonCorners_data();
  void overlappedButtonCorners();
  void typingRecomputesEachKey_data();
  void typingRecomputesEachKey();
  void modeSwitchRecomputes_data();
  void modeSwitchRecomputes();
  void equalStationsKeepResult_data();
  void equalStationsKeepResult();
  void tabSelectsWholeText_data();
  void tabSelectsWholeText();
  void typingIntoResultBox();
  void aboutBox();
  void toolkitButtonsInChinese();
  void aboutByKeyboard_data();
  void aboutByKeyboard();
  void exitButtonEndsProgram();
  void closingWindowEndsProgram();
  void fullWidthInput_data();
  void fullWidthInput();
  void firstClickSelectsSecondPlacesCaret();
  void dragSelectionSurvives();
  void accessibleNames_data();
  void accessibleNames();

 private:
  QLineEdit* box(const char* name) const {
    return form_->findChild<QLineEdit*>(QLatin1String(name));
  }
  QRadioButton* option(const char* name) const {
    return form_->findChild<QRadioButton*>(QLatin1String(name));
  }
  QPushButton* button(const char* name) const {
    return form_->findChild<QPushButton*>(QLatin1String(name));
  }
  QStringList boxTexts() const;
  void setInputs(const QStringList& k1w1k2w2kx);
  std::optional<vornell::InterpolationMode> currentMode() const;
  std::optional<std::string> expected() const;

  std::unique_ptr<Form1> form_;
};

void TestForm1::init() {
  form_ = std::make_unique<Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestForm1::cleanup() {
  form_.reset();
}

QStringList TestForm1::boxTexts() const {
  QStringList texts;
  for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"}) {
    texts << box(name)->text();
  }
  return texts;
}

void TestForm1::setInputs(const QStringList& values) {
  const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text5"};
  for (qsizetype i = 0; i < values.size(); ++i) {
    box(names[i])->setText(values[i]);
  }
}

std::optional<vornell::InterpolationMode> TestForm1::currentMode() const {
  if (option("Option1")->isChecked()) {
    return vornell::InterpolationMode::Linear;
  }
  if (option("Option2")->isChecked()) {
    return vornell::InterpolationMode::Parabolic;
  }
  return std::nullopt;
}

// What the interpolation gives for the boxes as they read now.
std::optional<std::string> TestForm1::expected() const {
  const QByteArray k1 = box("Text1")->text().toUtf8();
  const QByteArray w1 = box("Text2")->text().toUtf8();
  const QByteArray k2 = box("Text3")->text().toUtf8();
  const QByteArray w2 = box("Text4")->text().toUtf8();
  const QByteArray kx = box("Text5")->text().toUtf8();
  return vornell::interpolate(currentMode(), {k1.toStdString(), w1.toStdString(), k2.toStdString(),
                                              w2.toStdString(), kx.toStdString()});
}

void TestForm1::startState() {
  QCOMPARE(form_->windowTitle(), u"Vornell1.1"_s);
  QCOMPARE(form_->size(), QSize(292, 129));
  QCOMPARE(form_->minimumSize(), QSize(292, 129));
  QCOMPARE(form_->maximumSize(), QSize(292, 129));
  QVERIFY(!form_->windowIcon().isNull());
  QVERIFY(form_->windowIcon().availableSizes().contains(QSize(32, 32)));

  for (const QString& text : boxTexts()) {
    QVERIFY(text.isEmpty());
  }
  QVERIFY(option("Option1")->isChecked());
  QVERIFY(!option("Option2")->isChecked());
  QCOMPARE(QApplication::focusWidget(), box("Text1"));

  // Centred on the screen at first show.
  const QRect screen = form_->screen()->availableGeometry();
  const QPoint offset = form_->geometry().center() - screen.center();
  QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
           qPrintable(u"window centre off by %1,%2"_s.arg(offset.x()).arg(offset.y())));
}

// The formula box keeps the three lines of its caption (each ended by CR LF)
// and shows them as three clean lines: read-only, no scroll bars, no focus,
// on the colour of button faces.
void TestForm1::formulaBox() {
  const vornell::ui::ControlRow* row = vornell::ui::findControl("Text7");
  QVERIFY(row != nullptr);
  QCOMPARE(QString::fromUtf8(row->caption.data(), static_cast<qsizetype>(row->caption.size())),
           kFormulaCrLf);

  auto* text7 = form_->findChild<QTextEdit*>(u"Text7"_s);
  QVERIFY(text7 != nullptr);
  const QString shown = text7->toPlainText();
  QVERIFY(!shown.contains(u'\r'));
  QCOMPARE(shown.split(u'\n'),
           QStringList({u"线性:Wx=W1+(Kx-K1)/(K2-K1)*(W2-W1)。"_s, u"抛物线I=(Kx-K1)/(K2-K1),"_s,
                        u"      Wx=W1+(3*I^2-2*I^3)*(W2-W1)。"_s}));
  QVERIFY(text7->isReadOnly());
  QCOMPARE(text7->focusPolicy(), Qt::NoFocus);
  QCOMPARE(text7->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  QCOMPARE(text7->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  QCOMPARE(text7->palette().color(QPalette::Base), form_->palette().color(QPalette::Button));

  // All three lines fit the box: nothing to scroll, nothing cut off.
  QCOMPARE(text7->verticalScrollBar()->maximum(), 0);
  QCOMPARE(text7->horizontalScrollBar()->maximum(), 0);
}

void TestForm1::geometry_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("className");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QRect>("rect");

  // Pixels at 15 twips each, every edge rounded to the nearest pixel.
  QTest::newRow("Command2") << u"Command2"_s << u"QPushButton"_s << u"关于"_s
                            << QRect(248, 77, 41, 25);
  QTest::newRow("Option2") << u"Option2"_s << u"QRadioButton"_s << u"抛物线渐变"_s
                           << QRect(104, 112, 89, 17);
  QTest::newRow("Option1") << u"Option1"_s << u"QRadioButton"_s << u"线性渐变"_s
                           << QRect(8, 112, 73, 17);
  QTest::newRow("Command1") << u"Command1"_s << u"QPushButton"_s << u"退出"_s
                            << QRect(248, 104, 41, 25);
  QTest::newRow("Text7") << u"Text7"_s << u"QTextEdit"_s << QString() << QRect(8, 75, 249, 41);
  QTest::newRow("Text1") << u"Text1"_s << u"QLineEdit"_s << QString() << QRect(59, 8, 65, 18);
  QTest::newRow("Text2") << u"Text2"_s << u"QLineEdit"_s << QString() << QRect(219, 8, 65, 18);
  QTest::newRow("Text3") << u"Text3"_s << u"QLineEdit"_s << QString() << QRect(59, 32, 65, 18);
  QTest::newRow("Text4") << u"Text4"_s << u"QLineEdit"_s << QString() << QRect(219, 32, 65, 18);
  QTest::newRow("Text5") << u"Text5"_s << u"QLineEdit"_s << QString() << QRect(59, 56, 65, 18);
  QTest::newRow("Text6") << u"Text6"_s << u"QLineEdit"_s << QString() << QRect(219, 56, 65, 18);
  QTest::newRow("Label1") << u"Label1"_s << u"QLabel"_s << u"里程K1："_s << QRect(11, 8, 49, 17);
  QTest::newRow("Label2") << u"Label2"_s << u"QLabel"_s << u"宽度或高程W1："_s
                          << QRect(139, 8, 92, 17);
  QTest::newRow("Label3") << u"Label3"_s << u"QLabel"_s << u"里程K2："_s << QRect(11, 32, 49, 17);
  QTest::newRow("Label4") << u"Label4"_s << u"QLabel"_s << u"宽度或高程W2："_s
                          << QRect(139, 32, 89, 17);
  QTest::newRow("Label5") << u"Label5"_s << u"QLabel"_s << u"里程Kx："_s << QRect(11, 56, 49, 17);
  QTest::newRow("Label6") << u"Label6"_s << u"QLabel"_s << u"宽度或高程Wx："_s
                          << QRect(139, 56, 89, 17);
}

void TestForm1::geometry() {
  QFETCH(QString, name);
  QFETCH(QString, className);
  QFETCH(QString, caption);
  QFETCH(QRect, rect);

  const QList<QWidget*> found = form_->findChildren<QWidget*>(name);
  QCOMPARE(found.size(), 1);
  QWidget* control = found.front();
  QCOMPARE(control->parentWidget(), form_.get());
  QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
  QCOMPARE(control->geometry(), rect);
  QVERIFY(control->isVisible());
  if (auto* label = qobject_cast<QLabel*>(control)) {
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
  } else if (auto* pressable = qobject_cast<QAbstractButton*>(control)) {
    QCOMPARE(pressable->text(), caption);
  }
}

// The labels lie beneath the boxes that cover their ends.
void TestForm1::stacking() {
  const struct {
    QPoint point;
    const char* expected;
  } cases[] = {
      {{225, 16}, "Text2"},  // Label2 reaches 12 px under Text2
      {{225, 40}, "Text4"}, {{225, 64}, "Text6"}, {{150, 16}, "Label2"}, {{20, 90}, "Text7"},
  };
  for (const auto& c : cases) {
    auto* expectedControl = form_->findChild<QWidget*>(QLatin1String(c.expected));
    QWidget* at = form_->childAt(c.point);
    QVERIFY(at != nullptr);
    // A scroll area's viewport is part of it.
    QVERIFY2(at == expectedControl || expectedControl->isAncestorOf(at), c.expected);
  }
}

void TestForm1::tabCycle_data() {
  QTest::addColumn<bool>("chooseParabolic");
  QTest::addColumn<bool>("forward");
  QTest::addColumn<QStringList>("sequence");

  const QStringList linear = {u"Text2"_s,   u"Text3"_s,    u"Text4"_s,    u"Text5"_s, u"Text6"_s,
                              u"Option1"_s, u"Command2"_s, u"Command1"_s, u"Text1"_s, u"Text2"_s};
  const QStringList parabolic = {u"Text2"_s, u"Text3"_s,   u"Text4"_s,    u"Text5"_s,
                                 u"Text6"_s, u"Option2"_s, u"Command2"_s, u"Command1"_s,
                                 u"Text1"_s, u"Text2"_s};
  const QStringList linearBack = {u"Command1"_s, u"Command2"_s, u"Option1"_s, u"Text6"_s,
                                  u"Text5"_s,    u"Text4"_s,    u"Text3"_s,   u"Text2"_s,
                                  u"Text1"_s,    u"Command1"_s};
  const QStringList parabolicBack = {u"Command1"_s, u"Command2"_s, u"Option2"_s, u"Text6"_s,
                                     u"Text5"_s,    u"Text4"_s,    u"Text3"_s,   u"Text2"_s,
                                     u"Text1"_s,    u"Command1"_s};
  QTest::newRow("Tab, linear") << false << true << linear;
  QTest::newRow("Tab, parabolic") << true << true << parabolic;
  QTest::newRow("Shift+Tab, linear") << false << false << linearBack;
  QTest::newRow("Shift+Tab, parabolic") << true << false << parabolicBack;
}

// From Text1, Tab (or Shift+Tab) visits the controls in TabIndex order, with
// only the selected mode button, and comes back round.
void TestForm1::tabCycle() {
  QFETCH(bool, chooseParabolic);
  QFETCH(bool, forward);
  QFETCH(QStringList, sequence);

  if (chooseParabolic) {
    QRadioButton* option2 = option("Option2");
    QTest::mouseClick(option2, Qt::LeftButton, {}, QPoint(20, option2->height() / 2));
    QVERIFY(option2->isChecked());
    QTest::mouseClick(box("Text1"), Qt::LeftButton);
  }
  QCOMPARE(QApplication::focusWidget(), box("Text1"));

  QStringList visited;
  for (qsizetype i = 0; i < sequence.size(); ++i) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    if (forward) {
      QTest::keyClick(focus, Qt::Key_Tab);
    } else {
      QTest::keyClick(focus, Qt::Key_Backtab, Qt::ShiftModifier);
    }
    visited << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(visited, sequence);
}

void TestForm1::overlappedButtonCorners_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QPoint>("corner");

  // The corners that Text7 overlaps, and the others for good measure.
  for (const char* name : {"Command2", "Command1", "Option1", "Option2"}) {
    const vornell::ui::ControlRow* row = vornell::ui::findControl(name);
    const QRect r = vornell::ui::pixelRect(*row);
    QTest::addRow("%s top-left", name) << QString::fromLatin1(name) << r.topLeft();
    QTest::addRow("%s top-right", name) << QString::fromLatin1(name) << r.topRight();
    QTest::addRow("%s bottom-left", name) << QString::fromLatin1(name) << r.bottomLeft();
    QTest::addRow("%s bottom-right", name) << QString::fromLatin1(name) << r.bottomRight();
  }
}

// Every corner pixel of the four buttons belongs to the button, and a real
// click there does what the button does.
void TestForm1::overlappedButtonCorners() {
  QFETCH(QString, name);
  QFETCH(QPoint, corner);

  auto* target = form_->findChild<QAbstractButton*>(name);
  QVERIFY(target != nullptr);
  QCOMPARE(form_->childAt(corner), target);

  QSignalSpy clicked(target, &QAbstractButton::clicked);
  ModalBoxCloser closer;
  if (name == u"Option1"_s) {
    option("Option2")->click();
  }
  // Through the window, so the toolkit finds the control under the pointer.
  QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, corner);
  QCOMPARE(clicked.count(), 1);
  if (name.startsWith(u"Option"_s)) {
    QVERIFY(static_cast<QRadioButton*>(target)->isChecked());
  } else if (name == u"Command2"_s) {
    QCOMPARE(closer.seen().size(), std::size_t{1});
    QCOMPARE(closer.seen().front().text, kAboutText);
  } else {
    QVERIFY(!form_->isVisible());
  }
}

void TestForm1::typingRecomputesEachKey_data() {
  QTest::addColumn<QString>("target");
  QTest::addColumn<bool>("parabolic");

  for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
    QTest::addRow("%s linear", name) << QString::fromLatin1(name) << false;
    QTest::addRow("%s parabolic", name) << QString::fromLatin1(name) << true;
  }
}

// Typing 1, 2, 0 into an input box runs the computation after each key, and
// the result box follows each run.
void TestForm1::typingRecomputesEachKey() {
  QFETCH(QString, target);
  QFETCH(bool, parabolic);

  if (parabolic) {
    option("Option2")->click();
  }
  setInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s});
  QLineEdit* edited = form_->findChild<QLineEdit*>(target);
  edited->clear();
  edited->setFocus(Qt::TabFocusReason);

  QSignalSpy changes(edited, &QLineEdit::textChanged);
  QSignalSpy results(box("Text6"), &QLineEdit::textChanged);
  QString before = box("Text6")->text();
  qsizetype runsWithResult = 0;
  for (const char key : {'1', '2', '0'}) {
    QTest::keyClick(edited, key);
    const std::optional<std::string> want = expected();
    if (want) {
      ++runsWithResult;
      QCOMPARE(box("Text6")->text(), QString::fromStdString(*want));
    } else {
      QCOMPARE(box("Text6")->text(), before);
    }
    before = box("Text6")->text();
  }
  QCOMPARE(edited->text(), u"120"_s);
  QCOMPARE(changes.count(), 3);
  // Every run had differing stations and wrote a new result.
  QCOMPARE(runsWithResult, 3);
  QCOMPARE(results.count(), 3);
}

void TestForm1::modeSwitchRecomputes_data() {
  QTest::addColumn<bool>("byKeyboard");
  QTest::addColumn<int>("key");

  QTest::newRow("mouse") << false << 0;
  QTest::newRow("Right arrow") << true << int(Qt::Key_Right);
  QTest::newRow("Left arrow") << true << int(Qt::Key_Left);
  QTest::newRow("Down arrow") << true << int(Qt::Key_Down);
  QTest::newRow("Up arrow") << true << int(Qt::Key_Up);
}

// Switching the mode recomputes at once, with no edit in between.
void TestForm1::modeSwitchRecomputes() {
  QFETCH(bool, byKeyboard);
  QFETCH(int, key);

  setInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"125"_s});
  QCOMPARE(box("Text6")->text(), u"4.375"_s);

  QRadioButton* option1 = option("Option1");
  QRadioButton* option2 = option("Option2");
  if (byKeyboard) {
    // Tab from Text6 reaches the selected mode; the arrow moves to the other.
    QTest::mouseClick(box("Text6"), Qt::LeftButton);
    QTest::keyClick(box("Text6"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), option1);
    QTest::keyClick(option1, Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), option2);
    QVERIFY(option2->isChecked());
    QCOMPARE(box("Text6")->text(), u"4.04688"_s);
    QTest::keyClick(option2, Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), option1);
    QVERIFY(option1->isChecked());
    QCOMPARE(box("Text6")->text(), u"4.375"_s);
    // Space on the selected mode keeps it and the result.
    QTest::keyClick(option1, Qt::Key_Space);
    QVERIFY(option1->isChecked());
    QCOMPARE(box("Text6")->text(), u"4.375"_s);
  } else {
    QTest::mouseClick(option2, Qt::LeftButton, {}, QPoint(20, option2->height() / 2));
    QVERIFY(option2->isChecked());
    QVERIFY(!option1->isChecked());
    QCOMPARE(box("Text6")->text(), u"4.04688"_s);
    QTest::mouseClick(option1, Qt::LeftButton, {}, QPoint(20, option1->height() / 2));
    QVERIFY(option1->isChecked());
    QCOMPARE(box("Text6")->text(), u"4.375"_s);
  }
}

void TestForm1::equalStationsKeepResult_data() {
  QTest::addColumn<QString>("k2");

  QTest::newRow("same text") << u"100"_s;
  QTest::newRow("trailing zeros") << u"100.0"_s;
  QTest::newRow("exponent") << u"1e2"_s;
  QTest::newRow("beyond 15 digits") << u"100.0000000000001"_s;
}

// With K2 equal to K1 the result box keeps the last result.
void TestForm1::equalStationsKeepResult() {
  QFETCH(QString, k2);

  setInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s});
  QCOMPARE(box("Text6")->text(), u"5.25"_s);
  // Pasted over the whole text: one edit, one run.
  QLineEdit* text3 = box("Text3");
  QSignalSpy changes(text3, &QLineEdit::textChanged);
  text3->setFocus(Qt::TabFocusReason);
  QGuiApplication::clipboard()->setText(k2);
  QTest::keyClick(text3, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(text3->text(), k2);
  QCOMPARE(changes.count(), 1);
  QCOMPARE(box("Text6")->text(), u"5.25"_s);
  // Any later run with differing stations overwrites it again.
  typeText(box("Text5"), u"0"_s);
  QCOMPARE(box("Text6")->text(), u"5.25"_s);
  option("Option2")->click();
  QCOMPARE(box("Text6")->text(), u"5.25"_s);
}

void TestForm1::tabSelectsWholeText_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("from");
  QTest::addColumn<bool>("forward");

  QTest::newRow("Text1 by Tab") << u"Text1"_s << u"Command1"_s << true;
  QTest::newRow("Text1 by Shift+Tab") << u"Text1"_s << u"Text2"_s << false;
  QTest::newRow("Text2") << u"Text2"_s << u"Text1"_s << true;
  QTest::newRow("Text3") << u"Text3"_s << u"Text2"_s << true;
  QTest::newRow("Text4") << u"Text4"_s << u"Text3"_s << true;
  QTest::newRow("Text5") << u"Text5"_s << u"Text6"_s << false;
  QTest::newRow("Text6 by Tab") << u"Text6"_s << u"Text5"_s << true;
  QTest::newRow("Text6 by Shift+Tab") << u"Text6"_s << u"Option1"_s << false;
}

// Tabbing into a box selects its whole text, the result box included, even
// after the caret was left somewhere inside.
void TestForm1::tabSelectsWholeText() {
  QFETCH(QString, name);
  QFETCH(QString, from);
  QFETCH(bool, forward);

  setInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s});
  QLineEdit* target = form_->findChild<QLineEdit*>(name);
  target->setFocus(Qt::TabFocusReason);
  target->setCursorPosition(1);  // a caret, no selection
  QVERIFY(!target->hasSelectedText());

  auto* start = form_->findChild<QWidget*>(from);
  start->setFocus(Qt::TabFocusReason);
  QTest::keyClick(start, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
  QCOMPARE(QApplication::focusWidget(), target);
  QVERIFY(!target->text().isEmpty());
  QCOMPARE(target->selectionStart(), 0);
  QCOMPARE(target->selectedText(), target->text());
}

// The result box takes typing, which starts no run; the next run overwrites.
void TestForm1::typingIntoResultBox() {
  setInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s});
  const QStringList inputsBefore = boxTexts().mid(0, 5);
  QLineEdit* text6 = box("Text6");
  QTest::mouseClick(text6, Qt::LeftButton);
  typeText(text6, u"999"_s);
  QCOMPARE(text6->text(), u"999"_s);
  QCOMPARE(boxTexts().mid(0, 5), inputsBefore);
  QVERIFY(option("Option1")->isChecked());

  QLineEdit* text5 = box("Text5");
  QTest::mouseClick(text5, Qt::LeftButton);
  typeText(text5, u"125"_s);
  QCOMPARE(text6->text(), u"4.375"_s);
}

// "关于" shows the two-line information message and returns to the window
// as it was.
void TestForm1::aboutBox() {
  setInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s});
  const QStringList before = boxTexts();
  ModalBoxCloser closer;
  QTest::mouseClick(button("Command2"), Qt::LeftButton);

  QCOMPARE(closer.seen().size(), std::size_t{1});
  const ModalBoxCloser::Seen& seen = closer.seen().front();
  QCOMPARE(seen.className, u"QMessageBox"_s);
  QCOMPARE(seen.title, u"Vornell"_s);
  QCOMPARE(seen.icon, QMessageBox::Information);
  QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(seen.text, kAboutText);
  QCOMPARE(seen.text.split(u"\r\n"_s).size(), 2);
  QVERIFY(seen.modal);
  QCOMPARE(seen.parent, form_.get());

  QVERIFY(form_->isVisible());
  QCOMPARE(boxTexts(), before);
  QVERIFY(option("Option1")->isChecked());
  QCOMPARE(Form1::aboutText(), kAboutText);
}

// The program loads the toolkit's Chinese texts, so a message box's button
// reads "确定" like the rest of the interface.
void TestForm1::toolkitButtonsInChinese() {
  QVERIFY(vornell::ui::installChineseToolkitTexts(*QCoreApplication::instance()));
  QMessageBox box(QMessageBox::Information, u"Vornell"_s, u"x"_s, QMessageBox::Ok);
  QCOMPARE(box.button(QMessageBox::Ok)->text(), u"确定"_s);
}

void TestForm1::aboutByKeyboard_data() {
  QTest::addColumn<int>("key");
  QTest::newRow("Return") << int(Qt::Key_Return);
  QTest::newRow("Enter") << int(Qt::Key_Enter);
  QTest::newRow("Space") << int(Qt::Key_Space);
}

// Tab to "关于" and press it with the keyboard.
void TestForm1::aboutByKeyboard() {
  QFETCH(int, key);
  option("Option1")->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), button("Command2"));
  ModalBoxCloser closer;
  QTest::keyClick(button("Command2"), static_cast<Qt::Key>(key));
  QCOMPARE(closer.seen().size(), std::size_t{1});
  QCOMPARE(closer.seen().front().text, kAboutText);
  QVERIFY(form_->isVisible());
}

// "退出" ends the event loop at once and the window is gone.
void TestForm1::exitButtonEndsProgram() {
  bool clicked = false;
  QTimer::singleShot(0, form_.get(), [&] {
    clicked = true;
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  watchdog.start(10000);
  ModalBoxCloser closer;  // no question is asked
  const int code = QApplication::exec();
  QCOMPARE(code, 0);
  QVERIFY(clicked);
  QVERIFY(!form_->isVisible());
  QVERIFY(closer.seen().empty());
}

void TestForm1::closingWindowEndsProgram() {
  QTimer::singleShot(0, form_.get(), [this] { form_->close(); });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  watchdog.start(10000);
  QCOMPARE(QApplication::exec(), 0);
  QVERIFY(!form_->isVisible());
}

void TestForm1::fullWidthInput_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<bool>("paste");
  QTest::addColumn<QString>("expectedText");

  QTest::newRow("typed digits") << u"１２５"_s << false << u"125"_s;
  QTest::newRow("typed point") << u"１２５．０"_s << false << u"125.0"_s;
  QTest::newRow("typed ideographic point") << u"１２５。５"_s << false << u"125.5"_s;
  QTest::newRow("typed sign and exponent") << u"＋１．２５Ｅ２"_s << false << u"+1.25E2"_s;
  QTest::newRow("pasted") << u"１２５"_s << true << u"125"_s;
  QTest::newRow("pasted negative") << u"－２５"_s << true << u"-25"_s;
  QTest::newRow("pasted minus sign, ideographic space")
      << u"\u2212２５\u3000"_s << true << u"-25 "_s;
}

// Full-width input shows and computes as ASCII, with one run per keystroke
// or paste.
void TestForm1::fullWidthInput() {
  QFETCH(QString, input);
  QFETCH(bool, paste);
  QFETCH(QString, expectedText);

  setInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s});
  QLineEdit* text5 = box("Text5");
  QTest::mouseClick(text5, Qt::LeftButton);
  QSignalSpy changes(text5, &QLineEdit::textChanged);
  if (paste) {
    QGuiApplication::clipboard()->setText(input);
    QTest::keyClick(text5, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(changes.count(), 1);
  } else {
    typeText(text5, input);
    QCOMPARE(changes.count(), input.size());
  }
  QCOMPARE(text5->text(), expectedText);
  const std::optional<std::string> want = expected();
  QVERIFY(want.has_value());
  QCOMPARE(box("Text6")->text(), QString::fromStdString(*want));
}

// The first click into a box that has not the focus selects its whole text;
// the next click places the caret.
void TestForm1::firstClickSelectsSecondPlacesCaret() {
  setInputs({u"12345.678"_s});
  QLineEdit* text1 = box("Text1");
  QLineEdit* text3 = box("Text3");
  QTest::mouseClick(text3, Qt::LeftButton);
  QCOMPARE(QApplication::focusWidget(), text3);

  const QPoint middle(text1->width() / 3, text1->height() / 2);
  QTest::mouseClick(text1, Qt::LeftButton, {}, middle);
  QCOMPARE(QApplication::focusWidget(), text1);
  QCOMPARE(text1->selectedText(), u"12345.678"_s);
  QCOMPARE(text1->selectionStart(), 0);

  QTest::mouseClick(text1, Qt::LeftButton, {}, middle, 500);
  QVERIFY(!text1->hasSelectedText());
  QVERIFY(text1->cursorPosition() > 0);
  QVERIFY(text1->cursorPosition() < text1->text().size());
}

// A selection dragged with the click that gives the focus is the user's.
void TestForm1::dragSelectionSurvives() {
  setInputs({u"12345.678"_s});
  QLineEdit* text1 = box("Text1");
  QTest::mouseClick(box("Text3"), Qt::LeftButton);

  const int y = text1->height() / 2;
  QTest::mousePress(text1, Qt::LeftButton, {}, QPoint(4, y));
  QTest::mouseMove(text1, QPoint(text1->width() / 3, y));
  QTest::mouseRelease(text1, Qt::LeftButton, {}, QPoint(text1->width() / 3, y));
  QVERIFY(text1->hasSelectedText());
  QVERIFY(text1->selectedText().size() < text1->text().size());
  QVERIFY(u"12345.678"_s.startsWith(text1->selectedText()));
}

void TestForm1::accessibleNames_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("accessibleName");

  QTest::newRow("Text1") << u"Text1"_s << u"里程K1"_s;
  QTest::newRow("Text2") << u"Text2"_s << u"宽度或高程W1"_s;
  QTest::newRow("Text3") << u"Text3"_s << u"里程K2"_s;
  QTest::newRow("Text4") << u"Text4"_s << u"宽度或高程W2"_s;
  QTest::newRow("Text5") << u"Text5"_s << u"里程Kx"_s;
  QTest::newRow("Text6") << u"Text6"_s << u"宽度或高程Wx（计算结果）"_s;
}

void TestForm1::accessibleNames() {
  QFETCH(QString, name);
  QFETCH(QString, accessibleName);
  QCOMPARE(form_->findChild<QLineEdit*>(name)->accessibleName(), accessibleName);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
