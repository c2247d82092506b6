// The window telling what a box read when it is not what was typed: typed and
// pasted, key by key, with a chainage station's plain form put in by a click
// or by the key the notice names; the results the same as without notices.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "ui/failure_report.h"
#include "ui/form1.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::test::typeText;
using vornell::ui::kApplyNoticeKey;

namespace {

const QStringList kRoad = {u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"125"_s};
const QString kChainage = u"。按 F2 或点击此处改为 "_s;
const QString kOutside = u"里程Kx 在 K1～K2 之外，渐变已经结束：所示为三次抛物线的外推值"_s;

// What the notice said each time it came up, and with it the alert to
// assistive technology.
struct ShownNotices final : QObject {
  QStringList said;
  bool eventFilter(QObject* notice, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      said << static_cast<QWidget*>(notice)->accessibleName();
    }
    return false;
  }
};

}  // namespace

class TestNotice : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { form_.reset(); }
  void readAsTyped_data();
  void readAsTyped();
  void stillBecoming_data();
  void stillBecoming();
  void plainFormPutIn_data();
  void plainFormPutIn();
  void failureFirst();
  void editedBoxFirst();
  void closedStaysClosed();

 private:
  QLineEdit* box(int n) const { return form_->findChild<QLineEdit*>(u"Text%1"_s.arg(n)); }
  QWidget* bar(const QString& name) const { return form_->findChild<QWidget*>(name); }
  // What the notice says while it shows, as assistive technology reads it.
  QString notice() const {
    return bar(u"Notice"_s)->isVisible() ? bar(u"Notice"_s)->accessibleName() : QString();
  }
  // The worked points and the mode, then the focus in box `target`, its text selected.
  QLineEdit* start(int target, bool parabolic) {
    for (int n = 1; n <= 5; ++n) {
      box(n)->setText(kRoad[n - 1]);
    }
    if (parabolic) {
      QTest::mouseClick(bar(u"Option2"_s), Qt::LeftButton);
    }
    QTest::mouseClick(box(target), Qt::LeftButton);
    QTest::keyClick(box(target), Qt::Key_A, Qt::ControlModifier);
    cameUp.clear();
    return box(target);
  }
  // What the calculation gives for the boxes as they are, or the result box
  // as it was when it gives nothing.
  QString expectedResult(const QString& before) const {
    std::string texts[5];
    for (int n = 1; n <= 5; ++n) {
      texts[n - 1] = box(n)->text().toStdString();
    }
    const bool parabolic = static_cast<QRadioButton*>(bar(u"Option2"_s))->isChecked();
    const std::optional<std::string> result = vornell::interpolate(
        parabolic ? vornell::InterpolationMode::Parabolic : vornell::InterpolationMode::Linear,
        {texts[0], texts[1], texts[2], texts[3], texts[4]});
    return result ? QString::fromStdString(*result) : before;
  }
  // Whether the notice's text shows whole in its place.
  bool showsWhole(const QString& message) const {
    const auto labels = bar(u"Notice"_s)->findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) {
      return label->text() == message && label->heightForWidth(label->width()) <= label->height();
    });
  }
  static void paste(QLineEdit* into, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(into, Qt::Key_V, Qt::ControlModifier);
  }

  std::unique_ptr<vornell::ui::Form1> form_;
  ShownNotices shown_;
  QStringList& cameUp = shown_.said;
};

void TestNotice::init() {
  form_ = std::make_unique<vornell::ui::Form1>();
  form_->findChild<QWidget*>(u"Notice"_s)->installEventFilter(&shown_);
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestNotice::readAsTyped_data() {
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("parabolic");
  QTest::addColumn<QString>("notice");  // empty: none
  QTest::addColumn<QString>("result");

  const auto row = [](const char* name, int target, const QString& text, bool parabolic,
                      const QString& notice, const QString& result) {
    for (const char* how : {"typed", "pasted"}) {
      QTest::addRow("%s, %s", name, how) << target << text << parabolic << notice << result;
    }
  };
  row("K12+345 in K1", 1, u"K12+345"_s, false, u"里程K1 读作 0"_s + kChainage + u"12345"_s,
      u"5.6875"_s);
  row("k12 + 345.6 in K2", 3, u"k12 + 345.6"_s, false,
      u"里程K2 读作 0"_s + kChainage + u"12345.6"_s, u"2.625"_s);
  row("K0+000 in Kx", 5, u"K0+000"_s, false, u"里程Kx 读作 0"_s + kChainage + u"0"_s, u"0"_s);
  row("full-width plus", 1, u"K12＋345.678"_s, false,
      u"里程K1 读作 0"_s + kChainage + u"12345.678"_s, u"5.6875"_s);
  row("ZK12+345 is no chainage", 1, u"ZK12+345"_s, false, u"里程K1 读作 0"_s, u"5.6875"_s);
  row("1,234.5 in W1", 2, u"1,234.5"_s, false, u"宽度或高程W1 读作 1"_s, u"2.5"_s);
  row("12.3.4 in W2", 4, u"12.3.4"_s, false, u"宽度或高程W2 读作 12.3"_s, u"5.7"_s);
  row("3.5m in W1", 2, u"3.5m"_s, false, u"宽度或高程W1 读作 3.5"_s, u"4.375"_s);
  row("3,5 on a decimal-comma desktop", 2, u"3,5"_s, false, u"宽度或高程W1 读作 3"_s, u"4"_s);
  row("a result of 15 digits", 5, u"125.000000000000001,5"_s, false, u"里程Kx 读作 125"_s,
      u"4.375"_s);
  // The result box is the program's own.
  row("result box", 6, u"K1+000"_s, false, QString(), u"K1+000"_s);
  // Kx beyond the stations: the parabola's extrapolation says so.
  row("Kx 300, parabolic", 5, u"300"_s, true, kOutside, u"-10.5"_s);
  row("Kx 50, parabolic", 5, u"50"_s, true, kOutside, u"7"_s);
  row("Kx at K2, parabolic", 5, u"200"_s, true, QString(), u"7"_s);
  row("Kx 300, linear", 5, u"300"_s, false, QString(), u"10.5"_s);
  row("Kx 300m, parabolic: the reading first", 5, u"300m"_s, true, u"里程Kx 读作 300"_s,
      u"-10.5"_s);
  row("K2 below Kx, parabolic", 3, u"110"_s, true, kOutside, u"-40.25"_s);
}

// The notice names the box and what it read, with the focus left in the box
// and no failure report; the results are today's. Retyped whole, the box has
// no notice. Faults: a notice for the result box or in the linear mode, the
// wrong box named, what was typed shown instead of what was read, a result
// changed, the focus taken, a notice that stays.
void TestNotice::readAsTyped() {
  QFETCH(int, target);
  QFETCH(QString, text);
  QFETCH(bool, parabolic);
  QFETCH(QString, notice);
  QFETCH(QString, result);
  const bool pasted = QByteArray(QTest::currentDataTag()).endsWith("pasted");
  QLineEdit* edited = start(target, parabolic);
  const QString before = box(6)->text();
  pasted ? paste(edited, text) : typeText(edited, text);
  QCOMPARE(box(6)->text(), target == 6 ? edited->text() : expectedResult(before));
  QCOMPARE(box(6)->text(), result);
  QCOMPARE(this->notice(), notice);
  // Come up and announced once (typed, it may change in place after).
  if (pasted) {
    QCOMPARE(cameUp, notice.isEmpty() ? QStringList() : QStringList{notice});
  } else if (!notice.isEmpty()) {
    QVERIFY(!cameUp.isEmpty());
    QCOMPARE(cameUp.last().section(u' ', 0, 0), notice.section(u' ', 0, 0));
  }
  QCOMPARE(QApplication::focusWidget(), edited);
  QVERIFY(bar(u"FailureReport"_s)->isHidden());
  QVERIFY(notice.isEmpty() || showsWhole(notice));

  QTest::keyClick(edited, Qt::Key_A, Qt::ControlModifier);
  typeText(edited, target == 6 ? u"1"_s : kRoad[target - 1]);
  QCOMPARE(this->notice(), QString());
}

void TestNotice::stillBecoming_data() {
  QTest::addColumn<QString>("text");
  for (const QString& text : {u"-"_s, u"."_s, u"1."_s, u"1e"_s, u"1e-"_s, u"&H"_s, u"&O"_s, u"&"_s,
                              u"+"_s, u"-."_s, u"1 2 5"_s, u"  "_s, u"-1.5E+2"_s}) {
    QTest::newRow(qPrintable(text)) << text;
  }
}

// Key by key into each box, and from the box emptied: nothing is ignored
// yet, so no notice comes up at any key. Faults: a notice flashing up as a
// number is typed, spaces taken for ignored text.
void TestNotice::stillBecoming() {
  QFETCH(QString, text);
  for (int target = 1; target <= 5; ++target) {
    QLineEdit* edited = start(target, false);
    QTest::keyClick(edited, Qt::Key_Backspace);
    QCOMPARE(notice(), QString());
    for (const QChar key : text) {
      typeText(edited, QString(key));
      QVERIFY2(notice().isEmpty(), qPrintable(u"Text%1: "_s.arg(target) + edited->text()));
    }
    QCOMPARE(edited->text(), text);
  }
  QVERIFY(cameUp.isEmpty());
}

void TestNotice::plainFormPutIn_data() {
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("how");  // click, or the key from the box or from another
  QTest::addColumn<QString>("plain");
  QTest::addColumn<QString>("result");

  for (const QString& how : {u"click"_s, u"key"_s, u"key elsewhere"_s}) {
    QTest::addRow("K1, %s", qPrintable(how)) << 1 << u"K0+100"_s << how << u"100"_s << u"4.375"_s;
    QTest::addRow("K2, %s", qPrintable(how))
        << 3 << u"k0 + 200.000"_s << how << u"200.000"_s << u"4.375"_s;
    QTest::addRow("Kx, %s", qPrintable(how))
        << 5 << u"K0+125.5"_s << how << u"125.5"_s << u"4.3925"_s;
  }
}

// The plain form goes into the box as if typed: it recomputes, the notice
// goes, the focus stays where it was, and one undo in the box brings the
// chainage back with its notice. Faults: the box converted without being
// asked, a fix that leaves the notice or the old result, two undo steps, a
// click or key that takes the focus, the key working in the wrong box.
void TestNotice::plainFormPutIn() {
  QFETCH(int, target);
  QFETCH(QString, text);
  QFETCH(QString, how);
  QFETCH(QString, plain);
  QFETCH(QString, result);
  QLineEdit* edited = start(target, false);
  typeText(edited, text);
  QCOMPARE(edited->text(), text);  // nothing converted unasked
  QVERIFY(notice().endsWith(kChainage + plain));
  QWidget* focus = edited;
  if (how == u"click"_s) {
    QTest::mouseClick(bar(u"Notice"_s), Qt::LeftButton);
  } else {
    if (how == u"key elsewhere"_s) {
      focus = box(target == 1 ? 2 : 1);
      QTest::mouseClick(focus, Qt::LeftButton);
    }
    QTest::keyClick(focus, kApplyNoticeKey);
  }
  QCOMPARE(edited->text(), plain);
  QCOMPARE(box(6)->text(), result);
  QCOMPARE(notice(), QString());
  QCOMPARE(QApplication::focusWidget(), focus);

  QTest::mouseClick(edited, Qt::LeftButton);
  QTest::keyClick(edited, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(edited->text(), text);
  QCOMPARE(box(6)->text(), expectedResult(QString()));
  QVERIFY(notice().endsWith(kChainage + plain));
}

// A failure report comes before a notice and covers its place; when the
// failure is over, the notice is back, announced again, unless the edit that
// ended the failure ended the notice too. The notice never
// lies over a number box, and speaks in the captions' font.
void TestNotice::failureFirst() {
  QLineEdit* k1 = start(1, false);
  typeText(k1, u"K0+100"_s);
  const QString k1Notice = u"里程K1 读作 0"_s + kChainage + u"100"_s;
  QCOMPARE(notice(), k1Notice);
  QWidget* shown = bar(u"Notice"_s);
  for (int n = 1; n <= 6; ++n) {
    QVERIFY(!shown->geometry().intersects(box(n)->geometry()));
  }
  QCOMPARE(shown->font(), bar(u"Label1"_s)->font());  // the captions' font

  QLineEdit* w1 = box(2);
  QTest::mouseClick(w1, Qt::LeftButton);
  typeText(w1, u"1e400"_s);
  QVERIFY(bar(u"FailureReport"_s)->isVisible());
  QCOMPARE(notice(), QString());
  QTest::keyClick(w1, kApplyNoticeKey);  // the hidden notice does nothing
  QCOMPARE(k1->text(), u"K0+100"_s);
  cameUp.clear();
  QTest::keyClick(w1, Qt::Key_Backspace);
  QVERIFY(bar(u"FailureReport"_s)->isHidden());
  QCOMPARE(notice(), k1Notice);
  QCOMPARE(cameUp, QStringList{k1Notice});

  // One edit that ends the failure and the notice: nothing comes up, not
  // even for a moment.
  typeText(w1, u"0"_s);
  QVERIFY(bar(u"FailureReport"_s)->isVisible());
  cameUp.clear();
  QTest::mouseClick(k1, Qt::LeftButton);
  QTest::keyClick(k1, Qt::Key_A, Qt::ControlModifier);
  paste(k1, u"200"_s);
  QVERIFY(bar(u"FailureReport"_s)->isHidden());
  QCOMPARE(cameUp, QStringList());
}

// Of two boxes that do not read whole, the one being edited is told; when it
// reads whole again, the other. Fault: a notice that hides what was just typed.
void TestNotice::editedBoxFirst() {
  typeText(start(1, false), u"K0+100"_s);
  QLineEdit* w1 = box(2);
  QTest::mouseClick(w1, Qt::LeftButton);
  typeText(w1, u"3,5"_s);
  QCOMPARE(notice(), u"宽度或高程W1 读作 3"_s);
  QTest::keyClick(w1, Qt::Key_Backspace);
  QTest::keyClick(w1, Qt::Key_Backspace);
  QCOMPARE(notice(), u"里程K1 读作 0"_s + kChainage + u"100"_s);
  QCOMPARE(cameUp.size(), 2 + 1);
}

// Escape closes a notice, which stays closed while it is about the same box,
// however its text changes; a notice about another box comes up. Faults: a
// closed notice back at the next key, Escape that does nothing, the focus lost.
void TestNotice::closedStaysClosed() {
  QLineEdit* k1 = start(1, false);
  typeText(k1, u"K0+1"_s);
  QVERIFY(!notice().isEmpty());
  QTest::keyClick(k1, Qt::Key_Escape);
  QCOMPARE(notice(), QString());
  typeText(k1, u"00"_s);
  QCOMPARE(notice(), QString());
  QTest::keyClick(k1, kApplyNoticeKey);  // closed, it applies nothing
  QCOMPARE(k1->text(), u"K0+100"_s);
  QCOMPARE(QApplication::focusWidget(), k1);
  QLineEdit* w2 = box(4);
  QTest::mouseClick(w2, Qt::LeftButton);
  typeText(w2, u"7m"_s);
  QCOMPARE(notice(), u"宽度或高程W2 读作 7"_s);
}

VORNELL_WINDOW_TEST_MAIN(TestNotice)
#include "tst_notice.moc"
