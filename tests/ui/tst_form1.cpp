// The main window used for real, from the keyboard and the mouse, and shown in
// the fonts of Chinese and Latin desktops.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <limits>
#include <memory>
#include <random>
#include <utility>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "ui/application.h"
#include "ui/control_table.h"
#include "ui/form1.h"
#include "ui/number_box.h"
#include "ui/qt_compat.h"
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
  void selectOnFocus_data();
  void selectOnFocus();
  void modeByClickAndKeys_data();
  void modeByClickAndKeys();
  void about_data();
  void about();
  void exit_data();
  void exit();
  void keptResult_data();
  void keptResult();
  void randomUse_data();
  void randomUse();
  void followsDesktopFont();
  void fontsFit_data();
  void fontsFit();  // last: it changes the application's font

 private:
  QLineEdit* box(int n) const { return form_->findChild<QLineEdit*>(u"Text%1"_s.arg(n)); }
  QWidget* control(const QString& name) const { return form_->findChild<QWidget*>(name); }
  static void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
  // The position of the first character the box shows at its left edge.
  static int firstShown(QLineEdit* box) {
    box->repaint();  // the box scrolls its text as it paints it
    const QRect inside = box->contentsRect();
    return box->cursorPositionAt(QPoint(inside.left() + 3, inside.center().y()));
  }
  // Whether the box shows its whole text: with the caret after the last
  // character the first still shows.
  static bool showsWhole(QLineEdit* box) {
    const int caret = box->cursorPosition();
    box->end(false);
    const bool whole = firstShown(box) == 0;
    box->setCursorPosition(caret);
    return whole;
  }
  // Types the values into Text1, Text2... from the keyboard, Tab after each.
  void typeInputs(const QStringList& values);
  QStringList boxTexts() const;
  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  QString randomPaste();
  void randomAction();

  std::mt19937 random_;
  std::unique_ptr<vornell::ui::Form1> form_;
};

const QStringList kRoad = {u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"125"_s};
const QStringList kHill = {u"0"_s, u"1234.5"_s, u"3"_s, u"2345.6"_s, u"1"_s};

void TestForm1::init() {
  form_ = std::make_unique<vornell::ui::Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestForm1::typeInputs(const QStringList& values) {
  QTest::mouseClick(box(1), Qt::LeftButton);
  for (const QString& value : values) {
    typeText(QApplication::focusWidget(), value);
    key(Qt::Key_Tab);
  }
}

QStringList TestForm1::boxTexts() const {
  QStringList texts;
  for (int n = 1; n <= 6; ++n) {
    texts << box(n)->text();
  }
  return texts;
}

// Faults: a resizable window, the focus or the mode elsewhere at start, a
// box not empty, a window left in a corner.
void TestForm1::startState() {
  QCOMPARE(form_->minimumSize(), form_->maximumSize());
  QCOMPARE(boxTexts().join(u'|'), u"|||||"_s);
  QVERIFY(static_cast<QRadioButton*>(control(u"Option1"_s))->isChecked());
  QCOMPARE(QApplication::focusWidget(), box(1));
  QCOMPARE(box(1)->font(), QApplication::font());  // the desktop's
  const QPoint off = form_->geometry().center() - form_->screen()->availableGeometry().center();
  QVERIFY2(off.manhattanLength() <= 2, "not centred");
}

void TestForm1::tabCycle_data() {
  QTest::addColumn<bool>("parabolic");
  QTest::addColumn<bool>("forward");
  QTest::addColumn<QString>("sequence");
  QTest::newRow("Tab, linear")
      << false << true << u"Text2 Text3 Text4 Text5 Text6 Option1 Command2 Command1 Text1"_s;
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
  while (visited.size() <= sequence.count(u' ')) {
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
  QTest::addColumn<int>("longBoxes");  // texts longer than their box
  QTest::newRow("linear") << kRoad << false << u"4.375"_s << 0;
  QTest::newRow("parabolic") << kRoad << true << u"4.04688"_s << 0;
  QTest::newRow("elevation") << kHill << false << u"1604.86667"_s << 0;
  QTest::newRow("road stations") << QStringList{u"123456.789"_s, u"1604.86667"_s, u"123556.789"_s,
                                                u"1234.5"_s, u"123500"_s}
                                 << false << u"1444.82753"_s << 0;
  QTest::newRow("stations to the micrometre")
      << QStringList{u"1234567.890123"_s, u"1604.86667"_s, u"1234667.890123"_s, u"1234.5"_s,
                     u"1234600"_s}
      << false << u"1485.94239"_s << 2;
}

// Typed key by key, then the focus moved on; every box shows its number from
// the first character, measured with its own geometry, and a realistic number
// whole. Faults: a box not wired to the recompute, the wrong law for a mode, a
// result that lags a keystroke, a box that shows a long number's end
// (1604.86667 read as 604.86667) or cuts a realistic number's last digit.
void TestForm1::workedExamples() {
  QFETCH(QStringList, inputs);
  QFETCH(bool, parabolic);
  QFETCH(QString, result);
  QFETCH(int, longBoxes);
  if (parabolic) {
    QTest::mouseClick(control(u"Option2"_s), Qt::LeftButton);
  }
  typeInputs(inputs);
  key(Qt::Key_Tab);  // from Text6 on to the mode
  QCOMPARE(box(6)->text(), result);
  int longer = 0;
  for (int n = 1; n <= 6; ++n) {
    QLineEdit* shown = box(n);
    longer += showsWhole(shown) ? 0 : 1;
    QCOMPARE(firstShown(shown), 0);
    QCOMPARE(shown->toolTip(), shown->text());
  }
  QCOMPARE(longer, longBoxes);
}

void TestForm1::selectOnFocus_data() {
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>(
      "actions");  // into the box: t Tab, b Shift+Tab, l click, r right click, d drag
  QTest::addColumn<QString>("selected");
  QTest::newRow("Tab into the result box") << 6 << u"t"_s << u"4.375"_s;
  QTest::newRow("Shift+Tab") << 3 << u"b"_s << u"200"_s;
  QTest::newRow("a click") << 3 << u"l"_s << u"200"_s;
  QTest::newRow("a second click") << 3 << u"ll"_s << QString();
  QTest::newRow("a drag") << 3 << u"d"_s << u"00"_s;
  QTest::newRow("a right click") << 3 << u"r"_s << u"200"_s;
}

// A box that takes the focus, by the keyboard or by a click, selects its whole
// text; a click into the box that has it places the caret, a drag selects what
// it covers. Faults: a box that keeps a caret from before, the selection undone
// by the press that gave the focus, a drag or a second click overruled, no
// selection for the menu of a right click; typing into the result box starting
// a run or changing the other boxes.
void TestForm1::selectOnFocus() {
  QFETCH(int, target);
  QFETCH(QString, actions);
  QFETCH(QString, selected);
  typeInputs(kRoad);
  QLineEdit* edited = box(target);
  const auto at = [edited](int position) {  // a point that puts the caret at `position`
    QPoint point(0, edited->height() / 2);
    while (edited->cursorPositionAt(point) < position) {
      point.rx()++;
    }
    return point;
  };
  QTest::mouseClick(box(actions == u"b"_s ? target + 1 : target - 1), Qt::LeftButton);
  edited->setCursorPosition(1);
  for (const QChar action : actions) {
    if (action == u't' || action == u'b') {
      QTest::keyClick(QApplication::focusWidget(), action == u't' ? Qt::Key_Tab : Qt::Key_Backtab,
                      action == u't' ? Qt::NoModifier : Qt::ShiftModifier);
    } else if (action == u'r') {
      QTimer::singleShot(0, edited, [] {  // the box's menu, when it opens
        if (QWidget* menu = QApplication::activePopupWidget()) {
          menu->close();
        }
      });
      QTest::mouseClick(edited, Qt::RightButton, {}, at(1));
    } else if (action == u'l') {
      QTest::mouseClick(edited, Qt::LeftButton, {}, at(1));
    } else {
      QTest::mousePress(edited, Qt::LeftButton, {}, at(1));
      // Moved with the button held, which QTest does not do under Qt 5.
      QMouseEvent move(QEvent::MouseMove, at(3), edited->mapToGlobal(at(3)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(edited, &move);
      QTest::mouseRelease(edited, Qt::LeftButton, {}, at(3));
    }
  }
  QCOMPARE(QApplication::focusWidget(), edited);
  QCOMPARE(edited->selectedText(), selected);
  if (target == 6) {  // typed over, the result box starts no run
    const QStringList before = boxTexts();
    typeText(edited, u"9"_s);
    QCOMPARE(boxTexts(), before.mid(0, 5) << u"9"_s);
  }
}

void TestForm1::modeByClickAndKeys_data() {
  QTest::addColumn<QString>("from");
  QTest::addColumn<int>("key");  // 0: a click on the far corner of the other mode
  QTest::addColumn<QString>("to");
  for (const auto& [from, to] :
       {std::pair(u"Option1"_s, u"Option2"_s), {u"Option2"_s, u"Option1"_s}}) {
    QTest::addRow("%s, click", qPrintable(from)) << from << 0 << to;
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
      QTest::addRow("%s, %s", qPrintable(from), qPrintable(QKeySequence(key).toString()))
          << from << int(key) << to;
    }
  }
}

// Every arrow key moves to the other mode and selects it, as does a click on
// any corner of its rectangle, the ones the formula box reaches under
// included; either recomputes at once. Faults: arrows that move only
// geometrically (Up and Down doing nothing), a button that takes clicks only
// on its caption or lies beneath the formula box, a mode change without a run.
void TestForm1::modeByClickAndKeys() {
  QFETCH(QString, from);
  QFETCH(int, key);
  QFETCH(QString, to);
  typeInputs(kRoad);
  const auto* start = static_cast<QRadioButton*>(control(from));
  QTest::mouseClick(control(from), Qt::LeftButton, {}, QPoint(1, 1));
  QVERIFY(start->isChecked());
  if (key == 0) {
    const QRect corner = control(to)->rect();
    QTest::mouseClick(control(to), Qt::LeftButton, {}, corner.bottomRight());
  } else {
    QTest::keyClick(control(from), Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), control(to));
  }
  QVERIFY(static_cast<QRadioButton*>(control(to))->isChecked());
  QCOMPARE(box(6)->text(), to == u"Option2"_s ? u"4.04688"_s : u"4.375"_s);
  QCOMPARE(form_->childAt(control(to)->geometry().topRight()), control(to));
}

void TestForm1::about_data() {
  QTest::addColumn<int>("pressed");  // 0: by the mouse
  QTest::newRow("mouse") << 0;
  QTest::newRow("Space") << int(Qt::Key_Space);
}

// Faults: About not reached by button or keys, the wrong message, a box not
// modal over the window, the window changed after it, English toolkit buttons.
void TestForm1::about() {
  QFETCH(int, pressed);
  typeInputs(kRoad);
  const QStringList before = boxTexts();
  ModalBoxCloser closer;
  if (pressed == 0) {
    QTest::mouseClick(control(u"Command2"_s), Qt::LeftButton);
  } else {
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(u"Command2"_s));
    key(Qt::Key(pressed));
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
  QCOMPARE(seen.okText, u"确定"_s);
}

void TestForm1::exit_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("click 退出") << u"click"_s;
  QTest::newRow("Space on 退出") << u"key"_s;
  QTest::newRow("close the window") << u"close"_s;
}

// Faults: Exit asking a question, leaving the event loop running or the
// window on screen.
void TestForm1::exit() {
  QFETCH(QString, how);
  QTimer::singleShot(0, form_.get(), [&] {
    QTest::keyClick(box(1), Qt::Key_Backtab, Qt::ShiftModifier);  // to 退出
    how == u"click"_s ? QTest::mouseClick(control(u"Command1"_s), Qt::LeftButton)
    : how == u"key"_s ? key(Qt::Key_Space)
                      : (void)form_->close();
  });
  QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });  // a hang fails
  ModalBoxCloser closer;
  QCOMPARE(QApplication::exec(), 0);
  QVERIFY(!form_->isVisible());
  QVERIFY(closer.seen().empty());
}

void TestForm1::keptResult_data() {
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("message");  // its start; empty: no failure
  QTest::addColumn<QString>("fresh");    // typed over it: a new result
  QTest::newRow("equal stations") << 3 << u"0"_s << QString() << u"6"_s;
  QTest::newRow("stations in K-notation") << 3 << u"K0+003"_s << QString() << u"6"_s;
  QTest::newRow("K2 cleared") << 3 << u"\b"_s << QString() << u"6"_s;
  QTest::newRow("station 1e30") << 1 << u"1e30"_s << u"溢出"_s << u"0"_s;
  QTest::newRow("infinite result") << 5 << u"1e306"_s << u"浮点运算错误"_s << u"1"_s;
}

// A run that writes no result keeps every box and the last result, marked
// stale until a run writes one. Faults: a stale result that looks current, a
// mark that stays, a failure that is not reported, ends the program, loses a
// text, writes the result or strands the caret.
void TestForm1::keptResult() {
  QFETCH(int, target);
  QFETCH(QString, typed);
  QFETCH(QString, message);
  QFETCH(QString, fresh);
  typeInputs(kHill);
  const QPalette look = box(6)->palette();
  const auto colour = [this] { return box(6)->palette().color(QPalette::Active, QPalette::Text); };
  QLineEdit* edited = box(target);
  QTest::mouseClick(edited, Qt::LeftButton);
  typeText(edited, typed.chopped(1));
  QStringList expected = boxTexts();
  ModalBoxCloser closer;
  typeText(edited, typed.right(1));
  expected[target - 1] = edited->text();
  QCOMPARE(boxTexts(), expected);
  QCOMPARE(colour(), look.color(QPalette::Disabled, QPalette::Text));
  QCOMPARE(box(6)->accessibleDescription(), toQString(vornell::ui::texts::kResultStale));
  QVERIFY(closer.seen().empty());  // reported in the window, not in a modal box
  const auto* report = form_->findChild<QWidget*>(u"FailureReport"_s);
  QCOMPARE(report->isVisible(), !message.isEmpty());
  if (!message.isEmpty()) {
    QVERIFY(report->accessibleName().startsWith(message));
    QCOMPARE(QApplication::focusWidget(), edited);
    QCOMPARE(edited->cursorPosition(), typed.size());
  }
  QTest::keyClick(edited, Qt::Key_A, Qt::ControlModifier);
  typeText(edited, fresh);
  QCOMPARE(box(6)->text(), target == 3 ? u"1419.68333"_s : u"1604.86667"_s);
  QCOMPARE(colour(), look.color(QPalette::Active, QPalette::Text));
  QCOMPARE(box(6)->accessibleDescription(), toQString(vornell::ui::texts::kResultCurrent));
}

// Short samples of what users paste, or a long run of digits.
QString TestForm1::randomPaste() {
  static const QString samples[] = {u"１２３．５"_s, u"－２５"_s, u"1e30"_s,  u"1e400"_s,
                                    u"3.5"_s,        u"  7 "_s,   u"&H10"_s,  u"-1e308"_s,
                                    u"1e-400"_s,     u"K1+200"_s, u"1.2.3"_s, u"\u22120.001"_s};
  const int which = pick(15);
  QString digits;
  for (int i = which < 12 ? 0 : 100 + pick(20000); i > 0; --i) {
    digits += QChar(u'0' + pick(10));
  }
  return which < 12 ? samples[which] : which == 12 ? u"0."_s + digits + u"E-9999"_s : digits;
}

// A key, a paste, or a click anywhere on the window but on "退出"; the
// result box is not typed into.
void TestForm1::randomAction() {
  static const Qt::Key keys[] = {Qt::Key_Tab,  Qt::Key_Left, Qt::Key_Right,     Qt::Key_Up,
                                 Qt::Key_Down, Qt::Key_Home, Qt::Key_Backspace, Qt::Key_Delete};
  static const char printable[] = "0123456789012345678901234+-..Eea K";
  QWidget* focus = QApplication::focusWidget();
  const bool typeable = focus != box(6) && qobject_cast<QLineEdit*>(focus) != nullptr;
  const int a = pick(100);
  if (a < 50 && typeable) {
    QTest::keyClick(focus, printable[pick(int(sizeof(printable)) - 1)]);
  } else if (a < 60 && typeable) {
    QGuiApplication::clipboard()->setText(randomPaste());
    QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
  } else if (a < 85 || focus->objectName() == u"Command1"_s) {
    QTest::keyClick(focus, keys[pick(typeable ? int(std::size(keys)) : 6)]);
  } else if (const QPoint at(pick(form_->width()), pick(form_->height()));
             !control(u"Command1"_s)->geometry().contains(at)) {
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, at, 50);
  }
}

void TestForm1::randomUse_data() {
  QTest::addColumn<unsigned>("seed");
  QTest::newRow("seed 1") << 1u;
  QTest::newRow("seed 20240611") << 20240611u;
}

// After every action the window is there with no box left open; when the
// boxes or the mode changed, the result box holds what the interpolation
// gives, or the result before when none comes back. Faults: a crash or hang
// on odd input, an edit or click that does not recompute, a failure that
// writes the result box, is not reported, or opens a modal box.
void TestForm1::randomUse() {
  QFETCH(unsigned, seed);
  random_.seed(seed);
  ModalBoxCloser closer;
  const auto* report = form_->findChild<QWidget*>(u"FailureReport"_s);
  bool failing = false;  // the last run failed: its report may have been closed
  int results = 0, failures = 0;
  const auto state = [this] {
    return boxTexts() << control(u"Option2"_s)->property("checked").toString();
  };
  for (int step = 0; step < 2500; ++step) {
    const QStringList before = state();
    randomAction();
    const QStringList after = state();
    const QString where = u"step %1: "_s.arg(step) + after[5].left(40);
    QVERIFY2(form_->isVisible() && !QApplication::activeModalWidget(), qPrintable(where));
    QVERIFY2(std::all_of(closer.seen().begin(), closer.seen().end(),  // About only
                         [](const auto& box) { return box.icon == QMessageBox::Information; }),
             qPrintable(where));
    if (after.mid(0, 5) == before.mid(0, 5) && after[6] == before[6]) {
      QVERIFY2(after[5] == before[5], qPrintable(where));
      continue;
    }
    try {
      const std::optional<std::string> want = vornell::interpolate(
          after[6] == u"true"_s ? vornell::InterpolationMode::Parabolic
                                : vornell::InterpolationMode::Linear,
          {after[0].toStdString(), after[1].toStdString(), after[2].toStdString(),
           after[3].toStdString(), after[4].toStdString()});
      results += want ? 1 : 0;
      QVERIFY2(after[5] == (want ? QString::fromStdString(*want) : before[5]), qPrintable(where));
      QVERIFY2(report->isHidden(), qPrintable(where));
      failing = false;
    } catch (const vornell::NumericError&) {
      ++failures;
      QVERIFY2(after[5] == before[5], qPrintable(where));
      QVERIFY2(failing || !report->isHidden(), qPrintable(where + u": not reported"_s));
      failing = true;
    }
  }
  QVERIFY(results > 0 && failures > 0);  // the walk reached both ends of a run
}

// The desktop's font changed while the window is open: the window takes it,
// growing evenly about its centre (or, at the screen's limit, as large as the
// screen allows), and goes back as it was with the font. Faults: a window that
// keeps the old font or size, moves, or keeps a size it grew to.
void TestForm1::followsDesktopFont() {
  const QFont desktop = QApplication::font();
  const QRect before = form_->geometry();
  QFont larger = desktop;
  larger.setPointSizeF(QFontInfo(desktop).pointSizeF() * 1.5);
  QApplication::setFont(larger);  // told to the widgets through the event loop
  QTRY_VERIFY(form_->width() > before.width() * 5 / 4);
  QVERIFY(qAbs(form_->height() - form_->width() * before.height() / qreal(before.width())) <= 2);
  QVERIFY((form_->geometry().center() - before.center()).manhattanLength() <= 2);
  const QSize left = form_->screen()->availableGeometry().size() - form_->frameGeometry().size();
  if (std::min(left.width(), left.height()) >= 32) {  // not at the screen's limit
    QCOMPARE(QFontInfo(box(1)->font()).pixelSize(), QFontInfo(larger).pixelSize());
  }
  QApplication::setFont(desktop);
  QTRY_COMPARE(form_->geometry(), before);
}

void TestForm1::fontsFit_data() {
  QTest::addColumn<QString>("family");
  QTest::addColumn<qreal>("points");
  for (const QString& family : {u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s,
                                u"WenQuanYi Zen Hei"_s, u"AR PL UMing CN"_s, u"DejaVu Sans"_s}) {
    for (const qreal points : {9.0, 10.0, 10.5, 12.0, 14.0, 16.0}) {
      QTest::addRow("%s %.1f pt", qPrintable(family), points) << family << points;
    }
  }
  // Larger than any screen holds the window at its own size.
  QTest::newRow("DejaVu Sans 96 pt") << u"DejaVu Sans"_s << 96.0;
  QTest::newRow("Noto Sans CJK SC 96 pt") << u"Noto Sans CJK SC"_s << 96.0;
}

// At the scale factor the test runs with (QT_SCALE_FACTOR), in the desktop's
// font: every control draws its text in that font, every caption, formula line
// and realistic number shows whole, and the window is the stored layout grown
// evenly by one factor, no more than its texts need. Only a window that would
// not fit on the screen shows its text smaller, and then fills the screen in
// width or height. Faults: a font fitted smaller than the desktop's, fixed
// rectangles that cut captions or digits, a window grown unevenly or larger
// than its texts need.
void TestForm1::fontsFit() {
  QFETCH(QString, family);
  QFETCH(qreal, points);
  if (QFontInfo(QFont(family)).family() != family) {
    QSKIP(qPrintable(u"font not installed: "_s + family));
  }
  QFont desktop(family);
  desktop.setPointSizeF(points);
  QApplication::setFont(desktop);
  init();
  const QRect screen = form_->screen()->availableGeometry();
  QVERIFY(screen.contains(form_->frameGeometry()));
  const QFont drawn = box(1)->font();
  if (drawn != desktop) {  // only to stay on the screen, which it then fills in width or height
    QVERIFY2(drawn.pointSizeF() < points, qPrintable(drawn.toString()));
    const QSize left = screen.size() - form_->frameGeometry().size();
    QVERIFY2(std::min(left.width(), left.height()) < 32,
             qPrintable(u"%1 x %2 px of screen left"_s.arg(left.width()).arg(left.height())));
  }
  for (const QWidget* control : form_->findChildren<QWidget*>()) {
    QVERIFY2(control->font() == drawn, qPrintable(control->objectName()));
  }

  // The room each text has to spare where its room grows with the window:
  // the least of it shows whether the window is larger than its texts need.
  qreal spare = std::numeric_limits<qreal>::max();
  const auto fits = [&spare](qreal extent, qreal room, const QString& what, bool grows = true) {
    spare = grows ? std::min(spare, room - extent) : spare;
    return extent <= room ? true : (qWarning("%s: %g > %g", qPrintable(what), extent, room), false);
  };
  // Ink of a line that the control centres vertically in `room`.
  const auto centredInkFits = [&fits](const QWidget* control, const QString& text, QRectF room) {
    const QFontMetricsF metrics(control->font());
    const qreal baseline = room.top() + (room.height() - metrics.height()) / 2 + metrics.ascent();
    const QRectF ink = metrics.tightBoundingRect(text).translated(0, baseline);
    return fits(room.top() - ink.top(), 0, text + u" above"_s) &&
           fits(ink.bottom(), room.bottom(), text + u" below"_s);
  };
  for (QLabel* label : form_->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    QWidget* over = form_->childAt(label->geometry().topRight());  // a box covering its end
    const int visible = over == label ? label->width() : over->x() - label->x();
    const QFontMetricsF metrics(label->font());
    QVERIFY(fits(metrics.horizontalAdvance(label->text()), label->width(), label->text()));
    QVERIFY(fits(metrics.boundingRect(label->text()).right(), visible, label->text()));
    QVERIFY(centredInkFits(label, label->text(), label->rect()));
  }
  for (QAbstractButton* button :
       form_->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    QStyleOptionButton option;  // the part of the button the style gives its text
    option.initFrom(button);
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    if (!radio && static_cast<QPushButton*>(button)->autoDefault()) {
      option.features = QStyleOptionButton::AutoDefaultButton;
    }
    const QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
    QVERIFY(fits(QFontMetricsF(button->font()).horizontalAdvance(button->text()), room.width(),
                 button->text()));
    QVERIFY(centredInkFits(button, button->text(), room));
  }
  // The formula lines as laid out: each whole inside the box, none over the
  // next, the last above the mode buttons.
  auto* formula = form_->findChild<QTextEdit*>(u"Text7"_s);
  const QRectF inside = formula->viewport()->rect();
  const QFontMetricsF formulaMetrics(formula->font());
  qreal above = inside.top();
  for (QTextBlock line = formula->document()->begin(); line.isValid(); line = line.next()) {
    const QTextLine laid = line.layout()->lineAt(0);
    const QPointF at = formula->document()->documentLayout()->blockBoundingRect(line).topLeft() +
                       QPointF(laid.x(), laid.y() + laid.ascent());
    const QRectF ink = formulaMetrics.tightBoundingRect(line.text()).translated(at);
    QVERIFY(fits(ink.right(), inside.right(), line.text()));
    QVERIFY(fits(above - ink.top(), 0, line.text() + u" above"_s, false));  // packed from the top
    above = ink.bottom();
  }
  // The mode buttons lie over the box's foot: the lines end above them.
  const QPoint modes = formula->viewport()->mapFrom(form_.get(), control(u"Option1"_s)->pos());
  QVERIFY(fits(above, std::min<qreal>(modes.y(), inside.bottom()), u"formula below"_s));
  // Its top edge shows at any scale: at scale 1.5 it fell between device pixels.
  const QImage shot = form_->grab().toImage();
  const QPoint edge(int((formula->x() + 20) * shot.devicePixelRatio()),
                    int(formula->y() * shot.devicePixelRatio()));
  QVERIFY(
      qMin(shot.pixelColor(edge).lightness(), shot.pixelColor(edge + QPoint(0, 1)).lightness()) <
      form_->palette().window().color().lightness());
  // Realistic numbers whole in every box, their digits inside it.
  for (int n = 1; n <= 6; ++n) {
    QLineEdit* shown = box(n);
    for (const QString& number : {u"123456.789"_s, u"1604.86667"_s, u"1444.82753"_s}) {
      shown->setText(number);
      QVERIFY2(showsWhole(shown), qPrintable(u"%1 in Text%2"_s.arg(number).arg(n)));
      // Inside the frame QLineEdit keeps 2 pixels at each end and one for the caret.
      QStyleOptionFrame frame;
      frame.initFrom(shown);
      frame.lineWidth = shown->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, shown);
      const QRect textArea =
          shown->style()->subElementRect(QStyle::SE_LineEditContents, &frame, shown);
      QVERIFY(fits(QFontMetricsF(shown->font()).horizontalAdvance(number) + 5, textArea.width(),
                   number));
    }
    const QFontMetricsF metrics(shown->font());
    const QRect caret = shown->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QRectF ink =
        metrics.tightBoundingRect(shown->text()).translated(0, caret.top() + metrics.ascent());
    const QRect contents = shown->contentsRect();
    QVERIFY(fits(contents.top() - ink.top(), 0, u"digits above"_s));
    QVERIFY(fits(ink.bottom(), contents.top() + contents.height(), u"digits below"_s));
  }
  // Grown evenly: every control where the stored layout puts it at the
  // window's scale, to a pixel; and no larger than its texts need.
  const qreal scale = form_->width() / qreal(vornell::ui::clientSize().width());
  QVERIFY(qAbs(form_->height() - vornell::ui::clientSize().height() * scale) <= 1);
  for (const vornell::ui::ControlRow& row : vornell::ui::kControls) {
    const QRectF exact(QPointF(row.left, row.top) * scale / 15,
                       QSizeF(row.width, row.height) * scale / 15);
    const QRectF shown = QRectF(control(toQString(row.name))->geometry());
    const QPointF corners[] = {shown.topLeft() - exact.topLeft(),
                               shown.bottomRight() - exact.bottomRight()};
    QVERIFY2(std::all_of(std::begin(corners), std::end(corners),
                         [](QPointF off) { return qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1; }),
             qPrintable(toQString(row.name)));
  }
  if (scale > 1 && drawn == desktop) {
    QVERIFY2(spare < 3, qPrintable(u"%1 px to spare at scale %2"_s.arg(spare).arg(scale)));
  }
}

VORNELL_WINDOW_TEST_MAIN(TestForm1)
#include "tst_form1.moc"
