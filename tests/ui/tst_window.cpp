// The main window used for real, from the keyboard and the mouse: a table of
// what a user does and what the window then shows and tells; edits mapped,
// cut at a line break or refused; About and Exit; the desktop's font changed.
#include <QFontInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>

#include "ui/message_bar.h"
#include "ui/number_box.h"
#include "ui/window_texts.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::ui::texts::toQString;

namespace {

const QString kPlain = u"。按 F2 或点击此处改为 "_s;
const QString kK1Chainage = u"里程K1 读作 0"_s + kPlain;
const QString kW1Overflow = u"溢出：宽度或高程W1 的数值超出范围"_s;

}  // namespace

class TestWindow : public vornell::test::WindowTest {
  Q_OBJECT

 private slots:
  void startState();
  void use_data();
  void use();
  void inserted_data();
  void inserted();
  void aboutAndExit_data();
  void aboutAndExit();
  void followsDesktopFont();

 private:
  QStringList texts() const {
    QStringList all;
    for (int n = 1; n <= 6; ++n) {
      all << box(n)->text();
    }
    return all;
  }
};

// Faults: a resizable window; the focus, a mode, a text or the window elsewhere.
void TestWindow::startState() {
  QCOMPARE(form_->minimumSize(), form_->maximumSize());
  QCOMPARE(texts().join(u'|'), u"|||||"_s);
  QVERIFY(control(u"Option1"_s)->property("checked").toBool());
  QCOMPARE(QApplication::focusWidget(), box(1));
  QCOMPARE(control(u"Text7"_s)->property("text").toString() + u'\n',
           toQString(vornell::ui::texts::kFormula).remove(u'\r'));
  const QPoint off = form_->geometry().center() - form_->screen()->availableGeometry().center();
  QVERIFY(off.manhattanLength() <= 2);
}

namespace {

// A row of use(): the steps, space-separated (see act()).
void add(const char* name, const QString& steps, const QString& result, const QString& shown = {},
         int cameUp = 0) {
  QTest::newRow(name) << steps.split(u' ') << cameUp << shown << result;
}

// Keys and clicks: Tab order, the modes, selection on focus, typing.
void addKeysAndClicks() {
  add("Tab round",
      u"<Tab> ?Text2 <Tab> ?Text3 <Tab> ?Text4 <Tab> ?Text5 <Tab> ?Text6 <Tab> ?Option1 <Tab> "
      u"?Command2 <Tab> ?Command1 <Tab> ?Text1"_s,
      u"4.375"_s);
  add("Shift+Tab, parabolic",
      u"@Option2 @Text1 <Shift+Tab> ?Command1 <Shift+Tab> ?Command2 <Shift+Tab> ?Option2 "
      u"<Shift+Tab> ?Text6 <Shift+Tab> ?Text5"_s,
      u"4.04688"_s);
  for (const char* from : {"Option1", "Option2"}) {
    const QString to = from == QByteArray("Option1") ? u"Option2"_s : u"Option1"_s;
    const QString result = to == u"Option2"_s ? u"4.04688"_s : u"4.375"_s;
    QTest::addRow("%s, the other's corner over the formula box", from)
        << QStringList{u"@"_s + from, u"@"_s + to + u'/'} << 0 << QString() << result;
    for (const char* key : {"<Left>", "<Right>", "<Up>", "<Down>"}) {
      QTest::addRow("%s, %s", from, key)
          << QStringList{u"@"_s + from, key, u"?"_s + to} << 0 << QString() << result;
    }
  }
  add("Tab into the result box, typed over", u"@Text5 <Tab> [4.375] 9"_s, u"9"_s);
  add("Shift+Tab selects", u"@Text4 <Shift+Tab> [200]"_s, u"4.375"_s);
  add("a click selects, a second places the caret", u"@Text3 [200] @Text3 []"_s, u"4.375"_s);
  add("a right click selects", u"@@Text3 [200]"_s, u"4.375"_s);
  add("typed, Tab after each", u"0 <Tab> 1234.5 <Tab> 3 <Tab> 2345.6 <Tab> 1 <Tab> <Tab>"_s,
      u"1604.86667"_s);
  add("a result longer than its box, W2 left shows its start",
      u"0 <Tab> 0 <Tab> 1 <Tab> 123456789.12345 <Tab> 1"_s, u"123456789.12345"_s);
  add("full-width, from an input method", u"１２５ =Text1:125"_s, u"3.5"_s);
}

// Typed, pasted and dropped: told once (typed, it may come up as it goes).
void addTypedPastedDropped() {
  for (const QString& how : {QString(), u"key:"_s, u"drop:"_s}) {
    const auto last = [&how](const QString& text) {  // typed, the last key alone
      return how.isEmpty() ? text.chopped(1) + u' ' + text.right(1) : how + text;
    };
    const int once = how == u"key:"_s ? 1 : -1;
    QTest::addRow("K12+345 %s", qPrintable(how))
        << last(u"K12+345"_s).split(u' ') << once << kK1Chainage + u"12345"_s << u"5.6875"_s;
    QTest::addRow("Kx 300, parabolic %s", qPrintable(how))
        << (u"@Option2 @Text5 "_s + last(u"300"_s)).split(u' ') << once
        << u"里程Kx 在 K1～K2 之外，渐变已经结束：所示为三次抛物线的外推值"_s << u"-10.5"_s;
    QTest::addRow("Kx 1e300, parabolic %s", qPrintable(how))
        << (u"@Option2 @Text5 "_s + last(u"1e300"_s)).split(u' ') << once
        << u"溢出：计算结果超出数值范围"_s << u"~"_s;
  }
}

// What the message bar tells, and a station's plain form put in by F2 or a
// click on the notice, as if typed over the box's text: one undo takes it back.
void addMessages() {
  const QString k1 = kK1Chainage + u"100"_s;
  add("a spreadsheet cell", u"key:12345\r\n =Text1:12345"_s, u"7.02161"_s);
  add("a spreadsheet cell, dropped", u"drop:12345\r\n =Text1:12345"_s, u"7.02161"_s);
  add("1,234.5 in W1", u"@Text2 key:1,234.5"_s, u"2.5"_s, u"宽度或高程W1 读作 1"_s, 1);
  add("Kx 300, linear", u"@Text5 key:300"_s, u"10.5"_s);
  add("the result box", u"@Text6 key:K1+000"_s, u"K1+000"_s);
  add("Kx 1e306, W2 1e303", u"@Text4 key:1e303 @Text5 key:1e306"_s, u"~"_s,
      u"浮点运算错误：计算结果超出数值范围"_s, 1);
  add("one report while a failure repeats", u"@Text2 1e4000 <Backspace>"_s, u"~7.5E+39"_s,
      kW1Overflow, 1);
  add("closed by ×", u"@Text2 1e400 × 0"_s, u"~7.5E+39"_s, {}, 1);
  add("another failure after a closed one", u"@Text2 1e400 <Esc> @Text1 1e30"_s, u"~7.5E+39"_s,
      u"溢出：里程K1 的数值超出可比较的里程范围"_s, 2);
  add("a failure covers a notice, which comes back", u"K0+100 @Text2 1e400 <Backspace>"_s,
      u"3.75E+39"_s, k1, 3);
  add("F2 under a failure does nothing", u"K0+100 @Text2 1e400 <F2> =Text1:K0+100"_s,
      u"~3.75E+39"_s, kW1Overflow, 2);
  add("a closed notice stays closed under a failure", u"K0+100 <Esc> @Text2 1e400 <Backspace>"_s,
      u"3.75E+39"_s, {}, 2);
  add("closed while its text changes, F2 does nothing; another box's comes up",
      u"K0+1 <Esc> 00 <F2> =Text1:K0+100 @Text4 7m"_s, u"5.6875"_s, u"宽度或高程W2 读作 7"_s, 2);
  add("the edited box first, then the other", u"K0+100 @Text2 3,5 <Backspace> <Backspace>"_s,
      u"5.5"_s, k1, 3);
  add("equal stations: nothing to tell", u"@Text3 100 @Text2 1e400"_s, u"~"_s);
  add("F2, undone in the box", u"K0+100 <F2> =Text1:100 =Text6:4.375 <Ctrl+Z>"_s, u"5.6875"_s, k1,
      2);
  add("ZK12+345, F2 in W1", u"ZK12+345 @Text2 <F2> =Text1:12345"_s, u"7.02161"_s, {}, 1);
  add("a click on the notice, undone in the box",
      u"ZK12+345 @MessageBar =Text1:12345 ?Text1 <Ctrl+Z>"_s, u"5.6875"_s, kK1Chainage + u"12345"_s,
      2);
  add("a right click on the notice", u"K0+100 @@MessageBar"_s, u"5.6875"_s, k1, 1);
  add("pressed on the notice, released off it", u"K0+100 ~MessageBar"_s, u"5.6875"_s, k1, 1);
}

}  // namespace

void TestWindow::use_data() {
  QTest::addColumn<QStringList>("steps");  // from the worked example, K1 selected (act())
  QTest::addColumn<int>("cameUp");         // messages; -1: not counted
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("result");  // ~: kept from before the last step, marked stale
  addKeysAndClicks();
  addTypedPastedDropped();
  addMessages();
}

// Faults: Tab order, arrows, clicks and selection; the wrong box named or
// what was typed instead of what was read; a failure that writes the result,
// looks current, or is told at every key; closed messages coming back; a
// notice over a failure; keys taken from the box; a number's end shown.
void TestWindow::use() {
  QFETCH(QStringList, steps);
  QFETCH(int, cameUp);
  QFETCH(QString, shown);
  QFETCH(QString, result);
  start();
  QString kept;  // the result before the last step
  for (const QString& step : steps) {
    QWidget* focus = QApplication::focusWidget();
    if (step.startsWith(u"drop:"_s)) {
      static_cast<QLineEdit*>(focus)->clear();  // dropped over the box's text
    }
    kept = box(6)->text();
    if (step == u"×"_s) {
      QTest::mouseClick(control(u"MessageBar"_s)->findChild<QToolButton*>(), Qt::LeftButton);
    } else {
      act(step);
    }
    QVERIFY(step.startsWith(u'@') || step.startsWith(u'<') || QApplication::focusWidget() == focus);
  }
  QVERIFY2(cameUp < 0 || cameUp_.size() == cameUp, qPrintable(cameUp_.join(u'|')));
  QCOMPARE(message(), shown);
  QCOMPARE(box(6)->text(), result == u"~"_s ? kept : result.mid(result.startsWith(u'~') ? 1 : 0));
  const QPalette look = box(6)->palette();
  QCOMPARE(look.color(QPalette::Text) == look.color(QPalette::Disabled, QPalette::Text),
           result.startsWith(u'~'));
  QCOMPARE(box(6)->accessibleDescription() == toQString(vornell::ui::texts::kResultStale),
           result.startsWith(u'~'));
  for (int n = 1; n <= 6; ++n) {  // every box left shows its number from the first digit
    box(n)->repaint();
    QVERIFY(box(n)->hasFocus() ||
            box(n)->cursorPositionAt(box(n)->contentsRect().topLeft() + QPoint(1, 4)) == 0);
  }
}

void TestWindow::inserted_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<int>("caret");
  QTest::addColumn<QString>("inserted");  // empty: the key 5 is typed
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("after");  // empty: refused whole
  QTest::newRow("two cells, the caret in the middle")
      << u"15"_s << 1 << u"2\r\n9\n"_s << u"menu"_s << u"125"_s;
  QTest::newRow("full-width forms, minus sign, spaces; other forms stay")
      << QString() << 0 << u"－１２．５Ｅ＋１ｅ\u22123。Ｋ，里\u00A0\u2009\u3000\u2028\u2029"_s
      << u"key"_s << u"-12.5E+1e-3.Ｋ，里     "_s;
  QTest::newRow("invisible characters and NUL go, the caret after the paste")
      << u"15"_s << 1 << u"\u200B2\uFEFF"_s + QChar(0) + u"\u00AD"_s << u"key"_s << u"125"_s;
  const int room = vornell::ui::kMaxNumberTextLength - 3;
  QTest::newRow("full-width to the limit")
      << u"150"_s << 0 << QString(room, u'０') << u"key"_s << QString(room, u'0') + u"150"_s;
  QTest::newRow("one beyond") << u"150"_s << 0 << QString(room + 1, u'0') << u"key"_s << QString();
  for (const char* how : {"key", "menu", "drop"}) {
    QTest::addRow("10 MB, %s", how) << u"150"_s << 0 << QString(10 << 20, u'0') << how << QString();
  }
  QTest::newRow("a key at the limit")
      << QString(room, u'0') + u"150"_s << 0 << QString() << u"key"_s << QString();
}

// Faults: a line break kept, or what follows the caret cut; a form not
// mapped; a long paste kept in part, told twice or not at all.
void TestWindow::inserted() {
  QFETCH(QString, before);
  QFETCH(int, caret);
  QFETCH(QString, inserted);
  QFETCH(QString, how);
  QFETCH(QString, after);
  start();
  act(u"@Text5"_s);
  QLineEdit* kx = box(5);
  kx->setText(before);
  kx->setCursorPosition(caret);
  QSignalSpy changes(kx, &QLineEdit::textChanged);
  inserted.isEmpty() ? QTest::keyClick(kx, Qt::Key_5) : vornell::test::insert(kx, inserted, how);
  QCoreApplication::processEvents();  // a refusal is told once the edit is over
  const QString refused = u"输入过长：里程Kx 最多容纳 1024 个字符，这次输入未被接受"_s;
  QCOMPARE(kx->text(), after.isEmpty() ? before : after);
  QCOMPARE(changes.isEmpty(), after.isEmpty());
  QCOMPARE(message() == refused, after.isEmpty());
  QCOMPARE(cameUp_.count(refused), after.isEmpty() ? 1 : 0);
  if (after.isEmpty()) {
    QVERIFY(!kx->isUndoAvailable() && !kx->isRedoAvailable());
  } else {
    QCOMPARE(kx->cursorPosition(), after.size() - (before.size() - caret));
  }
}

void TestWindow::aboutAndExit_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("key");  // 0: a click; Qt::Key_Close: the window closed
  QTest::newRow("关于 clicked") << u"Command2"_s << 0;
  QTest::newRow("关于 by Enter") << u"Command2"_s << int(Qt::Key_Return);
  QTest::newRow("退出 clicked") << u"Command1"_s << 0;
  QTest::newRow("退出 by Space") << u"Command1"_s << int(Qt::Key_Space);
  QTest::newRow("the window closed") << u"Command1"_s << int(Qt::Key_Close);
}

// 关于 shows the About message, modal, with the toolkit's Chinese OK, and
// leaves the window as it was; 退出 and closing the window end the event loop
// without a question.
void TestWindow::aboutAndExit() {
  QFETCH(QString, button);
  QFETCH(int, key);
  start();
  const QStringList before = texts();
  QStringList seen;
  QTimer closer;  // closes each message box once it is up, noting what it showed
  connect(&closer, &QTimer::timeout, this, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen << box->windowTitle() << box->text() << box->button(QMessageBox::Ok)->text();
      const bool modalOverTheWindow = box->parentWidget() == form_.get() && box->isModal();
      const bool information = box->icon() == QMessageBox::Information;
      const bool onlyOk = box->standardButtons() == QMessageBox::Ok;
      box->button(QMessageBox::Ok)->click();
      QVERIFY(modalOverTheWindow && information && onlyOk);
    }
  });
  closer.start(2);
  QTimer::singleShot(0, form_.get(), [&] {
    control(button)->setFocus();
    key == 0               ? QTest::mouseClick(control(button), Qt::LeftButton)
    : key == Qt::Key_Close ? (void)form_->close()
                           : QTest::keyClick(control(button), Qt::Key(key));
    QTimer::singleShot(100, form_.get(), [] { QCoreApplication::exit(7); });  // still running
  });
  const bool exits = button == u"Command1"_s;
  QCOMPARE(QApplication::exec(), exits ? 0 : 7);
  QCOMPARE(form_->isVisible(), !exits);
  const QString about = toQString(vornell::ui::texts::kAboutMessage);
  const QStringList shown = {u"Vornell"_s, about, u"确定"_s};
  QCOMPARE(seen, exits ? QStringList() : shown);
  QCOMPARE(texts(), before);
}

// The desktop's font changed while the window is open: the window takes it,
// growing evenly about its centre, and goes back with the font. Faults: a
// window that keeps the old font or size, moves, or keeps a size it grew to.
void TestWindow::followsDesktopFont() {
  const QFont desktop = QApplication::font();
  const QRect before = form_->geometry();
  QFont larger = desktop;
  larger.setPointSizeF(QFontInfo(desktop).pointSizeF() * 1.5);
  QApplication::setFont(larger);  // told to the widgets through the event loop
  // QTest::qWaitFor, not QTRY_*: Qt 6.8's QTRY macros narrow a long to int.
  QVERIFY(QTest::qWaitFor([&] { return form_->width() > before.width() * 5 / 4; }));
  QVERIFY(qAbs(form_->height() - form_->width() * before.height() / qreal(before.width())) <= 2);
  QVERIFY((form_->geometry().center() - before.center()).manhattanLength() <= 2);
  QCOMPARE(box(1)->font(), larger);
  QApplication::setFont(desktop);
  QVERIFY(QTest::qWaitFor([&] { return form_->geometry() == before; }));
}

VORNELL_WINDOW_TEST_MAIN(TestWindow)
#include "tst_window.moc"
