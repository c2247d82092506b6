// The main window used from the keyboard and the mouse: start state, Tab
// order, the recompute on every edit and mode change, select-on-focus,
// About, Exit, failures, and numbers that show from their first digit.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <utility>

#include "ui/form1.h"
#include "ui/toolkit_texts.h"
#include "ui/window_texts.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::test::ModalBoxCloser;
using vornell::test::typeText;
using vornell::ui::texts::toQString;

class TestForm1 : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { form_.reset(); }

  void startState();
  void tabCycle_data();
  void tabCycle();
  void workedExamples_data();
  void workedExamples();
  void modeSwitchRecomputes_data();
  void modeSwitchRecomputes();
  void focusSelectsWholeText();
  void clickSelectsThenPlacesCaret();
  void typingIntoResultBox();
  void buttonsAboveFormulaBox();
  void about_data();
  void about();
  void exit_data();
  void exit();
  void failureKeepsEverything_data();
  void failureKeepsEverything();
  void numbersShowFromStart_data();
  void numbersShowFromStart();
  void staleResult_data();
  void staleResult();

 private:
  QLineEdit* box(int n) const { return form_->findChild<QLineEdit*>(u"Text%1"_s.arg(n)); }
  template <typename T = QWidget>
  T* control(const QString& name) const {
    return form_->findChild<T*>(name);
  }
  // Types the values into Text1, Text2... from the keyboard, Tab after each.
  void typeInputs(const QStringList& values);
  QStringList boxTexts() const;

  std::unique_ptr<vornell::ui::Form1> form_;
};

void TestForm1::init() {
  form_ = std::make_unique<vornell::ui::Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestForm1::typeInputs(const QStringList& values) {
  QTest::mouseClick(box(1), Qt::LeftButton);
  for (const QString& value : values) {
    QWidget* focus = QApplication::focusWidget();
    typeText(focus, value);
    QTest::keyClick(focus, Qt::Key_Tab);
  }
}

QStringList TestForm1::boxTexts() const {
  QStringList texts;
  for (int n = 1; n <= 6; ++n) {
    texts << box(n)->text();
  }
  return texts;
}

// Faults: a resizable window, the wrong version in the title, the focus or
// the mode elsewhere at start, a window left in a corner.
void TestForm1::startState() {
  QCOMPARE(form_->windowTitle(), toQString(vornell::ui::texts::kWindowTitle));
  QCOMPARE(form_->minimumSize(), form_->maximumSize());
  QCOMPARE(boxTexts(), QStringList(6, QString()));
  QVERIFY(control<QRadioButton>(u"Option1"_s)->isChecked());
  QCOMPARE(QApplication::focusWidget(), box(1));
  const QPoint off = form_->geometry().center() - form_->screen()->availableGeometry().center();
  QVERIFY2(off.manhattanLength() <= 2, "not centred");
}

void TestForm1::tabCycle_data() {
  QTest::addColumn<bool>("parabolic");
  QTest::addColumn<bool>("forward");
  QTest::addColumn<QString>("sequence");
  const QString texts = u"Text2 Text3 Text4 Text5 Text6 "_s;
  QTest::newRow("Tab, linear") << false << true << texts + u"Option1 Command2 Command1 Text1"_s;
  QTest::newRow("Tab, parabolic") << true << true << texts + u"Option2 Command2 Command1 Text1"_s;
  QTest::newRow("Shift+Tab, linear")
      << false << false << u"Command1 Command2 Option1 Text6 Text5 Text4 Text3 Text2 Text1"_s;
  QTest::newRow("Shift+Tab, parabolic")
      << true << false << u"Command1 Command2 Option2 Text6 Text5 Text4 Text3 Text2 Text1"_s;
}

// Faults: a control out of TabIndex order, the formula box or both modes in
// the cycle, a cycle that does not come round.
void TestForm1::tabCycle() {
  QFETCH(bool, parabolic);
  QFETCH(bool, forward);
  QFETCH(QString, sequence);
  if (parabolic) {
    QTest::mouseClick(control(u"Option2"_s), Qt::LeftButton);
    QTest::mouseClick(box(1), Qt::LeftButton);
  }
  QStringList visited;
  for (qsizetype i = 0; i < sequence.count(u' ') + 1; ++i) {
    QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                    forward ? Qt::NoModifier : Qt::ShiftModifier);
    visited << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(visited.join(u' '), sequence);
}

void TestForm1::workedExamples_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<bool>("parabolic");
  QTest::addColumn<QString>("result");
  const QStringList road = {u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"125"_s};
  QTest::newRow("linear") << road << false << u"4.375"_s;
  QTest::newRow("parabolic") << road << true << u"4.04688"_s;
  QTest::newRow("elevation") << QStringList{u"0"_s, u"1234.5"_s, u"3"_s, u"2345.6"_s, u"1"_s}
                             << false << u"1604.86667"_s;
  QTest::newRow("full-width digits")
      << QStringList{u"１００"_s, u"3.5"_s, u"２００"_s, u"7"_s, u"１２５"_s} << false
      << u"4.375"_s;
}

// Typed for real, one key at a time. Faults: a box not wired to the
// recompute, the wrong law for a mode, a result that lags a keystroke.
void TestForm1::workedExamples() {
  QFETCH(QStringList, inputs);
  QFETCH(bool, parabolic);
  QFETCH(QString, result);
  if (parabolic) {
    QTest::mouseClick(control(u"Option2"_s), Qt::LeftButton);
  }
  typeInputs(inputs);
  QCOMPARE(box(6)->text(), result);
  QCOMPARE(box(6)->toolTip(), result);
}

void TestForm1::modeSwitchRecomputes_data() {
  QTest::addColumn<int>("key");  // 0: by the mouse
  QTest::newRow("mouse") << 0;
  QTest::newRow("Right arrow") << int(Qt::Key_Right);
  QTest::newRow("Up arrow") << int(Qt::Key_Up);
}

// Faults: a mode change that waits for the next edit, arrows that move the
// focus without selecting the mode.
void TestForm1::modeSwitchRecomputes() {
  QFETCH(int, key);
  typeInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"125"_s});
  auto* option1 = control<QRadioButton>(u"Option1"_s);
  auto* option2 = control<QRadioButton>(u"Option2"_s);
  const std::pair<QRadioButton*, QString> steps[] = {{option2, u"4.04688"_s},
                                                     {option1, u"4.375"_s}};
  for (const auto& [to, result] : steps) {
    if (key == 0) {
      QTest::mouseClick(to, Qt::LeftButton);
    } else {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // Text6 to the mode
      QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
      QCOMPARE(QApplication::focusWidget(), to);
      QTest::mouseClick(box(6), Qt::LeftButton);
    }
    QVERIFY(to->isChecked());
    QCOMPARE(box(6)->text(), result);
  }
}

// Faults: a box whose focus does not select its text (Text6 included), a
// selection kept from before instead of the whole text.
void TestForm1::focusSelectsWholeText() {
  typeInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"125"_s});
  for (int n = 1; n <= 6; ++n) {
    box(n)->setCursorPosition(1);
  }
  for (const bool forward : {true, false}) {
    for (int step = 0; step < 18; ++step) {
      QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                      forward ? Qt::NoModifier : Qt::ShiftModifier);
      if (auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        QCOMPARE(focused->selectedText(), focused->text());
        QVERIFY(!focused->text().isEmpty());
      }
    }
  }
}

// Faults: the caret of the focusing click undoing the selection, a second
// click that cannot place the caret, a dragged selection overridden.
void TestForm1::clickSelectsThenPlacesCaret() {
  box(1)->setText(u"12345.678"_s);
  QLineEdit* text1 = box(1);
  QTest::mouseClick(box(3), Qt::LeftButton);
  const QPoint middle(text1->width() / 3, text1->height() / 2);
  QTest::mouseClick(text1, Qt::LeftButton, {}, middle);
  QCOMPARE(text1->selectedText(), text1->text());
  QTest::mouseClick(text1, Qt::LeftButton, {}, middle, 500);
  QVERIFY(!text1->hasSelectedText());
  QVERIFY(text1->cursorPosition() > 0 && text1->cursorPosition() < text1->text().size());

  QTest::mouseClick(box(3), Qt::LeftButton);
  QTest::mousePress(text1, Qt::LeftButton, {}, QPoint(4, middle.y()));
  QTest::mouseMove(text1, middle);
  QTest::mouseRelease(text1, Qt::LeftButton, {}, middle);
  QVERIFY(text1->hasSelectedText() && text1->selectedText() != text1->text());
}

// Faults: typing into the result box starting a run, or changing the others.
void TestForm1::typingIntoResultBox() {
  typeInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s});
  const QStringList before = boxTexts();
  typeText(box(6), u"999"_s);
  QCOMPARE(boxTexts(), before.mid(0, 5) << u"999"_s);
  QTest::mouseClick(box(5), Qt::LeftButton);
  typeText(box(5), u"125"_s);
  QCOMPARE(box(6)->text(), u"4.375"_s);
}

// Faults: the formula box stacked above a button (its corners would not
// take clicks), a label above the box that covers its end.
void TestForm1::buttonsAboveFormulaBox() {
  for (const QString& name : {u"Command1"_s, u"Command2"_s, u"Option1"_s, u"Option2"_s}) {
    QWidget* button = control(name);
    const QRect r = button->geometry();
    for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
      QCOMPARE(form_->childAt(corner), button);
    }
  }
  const QRect label2 = control(u"Label2"_s)->geometry();
  QCOMPARE(form_->childAt(label2.topRight()), box(2));
}

void TestForm1::about_data() {
  QTest::addColumn<int>("key");  // 0: by the mouse
  QTest::newRow("mouse") << 0;
  QTest::newRow("Return") << int(Qt::Key_Return);
  QTest::newRow("Space") << int(Qt::Key_Space);
}

// Faults: About not wired to its button or keys, the wrong message, a
// box that is not modal over the window, the window changed afterwards,
// the toolkit's buttons in English.
void TestForm1::about() {
  QFETCH(int, key);
  typeInputs({u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s});
  const QStringList before = boxTexts();
  auto* command2 = control<QPushButton>(u"Command2"_s);
  ModalBoxCloser closer;
  if (key == 0) {
    QTest::mouseClick(command2, Qt::LeftButton);
  } else {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), command2);
    QTest::keyClick(command2, Qt::Key(key));
  }
  QCOMPARE(closer.seen().size(), std::size_t{1});
  const ModalBoxCloser::Seen& seen = closer.seen().front();
  QCOMPARE(seen.title, u"Vornell"_s);
  QCOMPARE(seen.text, toQString(vornell::ui::texts::kAboutMessage));
  QCOMPARE(seen.icon, QMessageBox::Information);
  QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(seen.parent, form_.get());
  QVERIFY(form_->isVisible());
  QCOMPARE(boxTexts(), before);
  QVERIFY(vornell::ui::installChineseToolkitTexts(*QCoreApplication::instance()));
  QCOMPARE(QMessageBox(QMessageBox::Information, {}, {}, QMessageBox::Ok)
               .button(QMessageBox::Ok)
               ->text(),
           u"确定"_s);
}

void TestForm1::exit_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("click 退出") << u"click"_s;
  QTest::newRow("Space on 退出") << u"key"_s;
  QTest::newRow("close the window") << u"close"_s;
}

// Faults: Exit asking a question, leaving the event loop running, or
// leaving the window on screen.
void TestForm1::exit() {
  QFETCH(QString, how);
  auto* command1 = control<QPushButton>(u"Command1"_s);
  QTimer::singleShot(0, form_.get(), [&] {
    if (how == u"click"_s) {
      QTest::mouseClick(command1, Qt::LeftButton);
    } else if (how == u"key"_s) {
      QTest::keyClick(box(1), Qt::Key_Backtab, Qt::ShiftModifier);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    } else {
      form_->close();
    }
  });
  QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });  // a hang fails
  ModalBoxCloser closer;
  QCOMPARE(QApplication::exec(), 0);
  QVERIFY(!form_->isVisible());
  QVERIFY(closer.seen().empty());
}

void TestForm1::failureKeepsEverything_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("message");  // its start; empty: no failure
  const QStringList road = {u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s};
  QTest::newRow("station 1e30") << road << 1 << u"1e30"_s << u"溢出"_s;
  QTest::newRow("W1 beyond double range") << road << 2 << u"1e400"_s << u"溢出"_s;
  QTest::newRow("1e30 in Kx is fine") << road << 5 << u"1e30"_s << QString();
  QTest::newRow("infinite result")
      << QStringList{u"0"_s, u"0"_s, u"1"_s, u""_s, u"2"_s} << 4 << u"1e308"_s << u"浮点运算错误"_s;
}

// Faults: a failure that ends the program, loses a box's text or the
// result, reports without marking the result stale, or strands the focus.
void TestForm1::failureKeepsEverything() {
  QFETCH(QStringList, inputs);
  QFETCH(int, target);
  QFETCH(QString, typed);
  QFETCH(QString, message);
  typeInputs(inputs);
  QLineEdit* edited = box(target);
  QTest::mouseClick(edited, Qt::LeftButton);
  QTest::keyClick(edited, Qt::Key_Backspace);
  typeText(edited, typed.chopped(1));
  const QString result = box(6)->text();
  ModalBoxCloser closer;
  typeText(edited, typed.right(1));
  if (message.isEmpty()) {
    QVERIFY(closer.seen().empty());
    QVERIFY(box(6)->text() != result);
    return;
  }
  QStringList expected = inputs << result;
  expected[target - 1] = typed;
  QCOMPARE(boxTexts(), expected);
  QVERIFY(!closer.seen().empty());
  QVERIFY(closer.seen().back().text.startsWith(message));
  QCOMPARE(closer.seen().back().icon, QMessageBox::Critical);
  QTRY_COMPARE(QApplication::focusWidget(), edited);
  QCOMPARE(edited->cursorPosition(), typed.size());
  QCOMPARE(box(6)->accessibleDescription(), toQString(vornell::ui::texts::kResultStale));
}

void TestForm1::numbersShowFromStart_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<int>("shown");
  QTest::addColumn<bool>("longerThanBox");
  QTest::newRow("result 1604.86667")
      << QStringList{u"0"_s, u"1234.5"_s, u"3"_s, u"2345.6"_s, u"1"_s} << 6 << false;
  QTest::newRow("result -98765399.17819")
      << QStringList{u"0"_s, u"-98765432.1"_s, u"3"_s, u"0"_s, u"0.000001"_s} << 6 << true;
  QTest::newRow("station 123456.789 after Tab") << QStringList{u"123456.789"_s} << 1 << false;
  QTest::newRow("station 9876543210.123 after Tab")
      << QStringList{u"9876543210.123"_s} << 1 << true;
}

// The first character lies in the visible part of the box, measured with the
// box's own geometry, and the whole text is its tooltip. Fault: a box that
// shows the end of a long number, so 1604.86667 reads 604.86667.
void TestForm1::numbersShowFromStart() {
  QFETCH(QStringList, inputs);
  QFETCH(int, shown);
  QFETCH(bool, longerThanBox);
  typeInputs(inputs);
  QTest::mouseClick(box(5), Qt::LeftButton);  // the focus away from Text6
  QLineEdit* checked = box(shown);
  checked->repaint();  // the box scrolls its text as it paints it
  const QRect inside = checked->contentsRect();
  if (longerThanBox) {  // else the box could show any part of it
    QVERIFY(checked->fontMetrics().horizontalAdvance(checked->text()) > inside.width());
  }
  QCOMPARE(checked->cursorPositionAt(QPoint(inside.left() + 3, inside.center().y())), 0);
  QCOMPARE(checked->toolTip(), checked->text());
}

void TestForm1::staleResult_data() {
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>("typed");
  QTest::newRow("equal stations") << 3 << u"0"_s;
  QTest::newRow("stations in K-notation") << 3 << u"K0+003"_s;
  QTest::newRow("K2 cleared") << 3 << u"\b"_s;
  QTest::newRow("failure") << 1 << u"1e30"_s;
}

// A kept result reads in the disabled text colour and says why, until a run
// writes a new one. Faults: a stale result that looks current, a mark that
// stays after the next result.
void TestForm1::staleResult() {
  QFETCH(int, target);
  QFETCH(QString, typed);
  typeInputs({u"0"_s, u"1234.5"_s, u"3"_s, u"2345.6"_s, u"1"_s});
  const QPalette fresh = box(6)->palette();
  const auto colour = [this] { return box(6)->palette().color(QPalette::Active, QPalette::Text); };
  QVERIFY(colour() != fresh.color(QPalette::Disabled, QPalette::Text));
  QTest::mouseClick(box(target), Qt::LeftButton);
  ModalBoxCloser closer;
  typeText(box(target), typed.chopped(1));
  const QString kept = box(6)->text();
  typeText(box(target), typed.right(1));
  QCOMPARE(box(6)->text(), kept);
  QCOMPARE(colour(), fresh.color(QPalette::Disabled, QPalette::Text));
  QCOMPARE(box(6)->accessibleDescription(), toQString(vornell::ui::texts::kResultStale));
  QTest::keyClick(box(target), Qt::Key_A, Qt::ControlModifier);
  typeText(box(target), target == 3 ? u"6"_s : u"0"_s);
  QCOMPARE(box(6)->text(), target == 3 ? u"1419.68333"_s : u"1604.86667"_s);
  QCOMPARE(colour(), fresh.color(QPalette::Active, QPalette::Text));
  QCOMPARE(box(6)->accessibleDescription(), toQString(vornell::ui::texts::kResultCurrent));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
