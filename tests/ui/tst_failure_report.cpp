// Failures and refused edits in the window: reported once per failing state,
// in the window, naming the box, while every key typed goes on reaching the
// box being edited; the length limit of the number boxes; the bounded undo.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "ui/failure_report.h"
#include "ui/form1.h"
#include "ui/number_input.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::ui::kMaxNumberTextLength;

namespace {

// Counts the reports that come up.
class ReportCounter final : public QObject {
 public:
  int shown = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    shown += event->type() == QEvent::Show ? 1 : 0;
    return QObject::eventFilter(watched, event);
  }
};

const QStringList kPoints = {u"100"_s, u"3.5"_s, u"200"_s, u"7"_s, u"150"_s};

}  // namespace

class TestFailureReport : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void oneReportPerFailingState_data();
  void oneReportPerFailingState();
  void overlongEditRefused_data();
  void overlongEditRefused();
  void undoStaysBounded();

 private:
  QLineEdit* box(const QString& name) const { return form_->findChild<QLineEdit*>(name); }
  // What the report says while it shows, as assistive technology reads it.
  QString shownReport() const {
    const auto* report = form_->findChild<QWidget*>(u"FailureReport"_s);
    return report->isHidden() ? QString() : report->accessibleName();
  }
  void setInputs(const QStringList& values) {
    for (qsizetype i = 0; i < values.size(); ++i) {
      box(u"Text%1"_s.arg(i + 1))->setText(values[i]);
    }
  }
  std::unique_ptr<vornell::ui::Form1> form_;
  std::unique_ptr<ReportCounter> reports_;
};

void TestFailureReport::init() {
  form_ = std::make_unique<vornell::ui::Form1>();
  reports_ = std::make_unique<ReportCounter>();
  form_->findChild<QWidget*>(u"FailureReport"_s)->installEventFilter(reports_.get());
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestFailureReport::cleanup() {
  form_.reset();
}

void TestFailureReport::oneReportPerFailingState_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("target");
  QTest::addColumn<QString>("keys");  // \b Backspace, \x1b Escape
  QTest::addColumn<QString>("finalText");
  QTest::addColumn<int>("reports");
  QTest::addColumn<QString>("shown");  // empty: no report left showing

  const QString w1 = u"溢出：宽度或高程W1 的数值超出范围"_s;
  QStringList noW1 = kPoints;
  noW1[1].clear();
  QTest::newRow("1e4000 typed and deleted back to 1e400")
      << noW1 << u"Text2"_s << u"1e4000\b"_s << u"1e400"_s << 1 << w1;
  QTest::newRow("deleted on to 1e40: the report goes")
      << noW1 << u"Text2"_s << u"1e4000\b\b"_s << u"1e40"_s << 1 << QString();
  QStringList badW2 = kPoints;
  badW2[3] = u"1e400"_s;
  QTest::newRow("W2 out of range, typing into Kx") << badW2 << u"Text5"_s << u"123"_s << u"150123"_s
                                                   << 1 << u"溢出：宽度或高程W2 的数值超出范围"_s;
  QTest::newRow("keys after the failure arrive")
      << QStringList{QString(), u"0"_s, u"200"_s, u"7"_s} << u"Text1"_s << u"1e400123"_s
      << u"1e400123"_s << 1 << u"溢出：里程K1 的数值超出可比较的里程范围"_s;
  QTest::newRow("station beyond compare range in K2")
      << QStringList{u"100"_s, u"3.5"_s} << u"Text3"_s << u"1e30"_s << u"1e30"_s << 1
      << u"溢出：里程K2 的数值超出可比较的里程范围"_s;
  QTest::newRow("Kx out of range") << kPoints << u"Text5"_s << u"e400"_s << u"150e400"_s << 1
                                   << u"溢出：里程Kx 的数值超出范围"_s;
  QTest::newRow("infinite result")
      << QStringList{u"0"_s, u"0"_s, u"1"_s, QString(), u"2"_s} << u"Text4"_s << u"1e308"_s
      << u"1e308"_s << 1 << u"浮点运算错误：计算结果超出数值范围"_s;
  QTest::newRow("Escape closes it, the same state stays quiet") << noW1 << u"Text2"_s
                                                                << u"1e400\x1b"
                                                                   u"0"_s
                                                                << u"1e4000"_s << 1 << QString();
  QStringList allBadW1 = kPoints;
  allBadW1[1] = u"1e400"_s;
  QTest::newRow("a new failing state is reported again")
      << allBadW1 << u"Text1"_s << u"\b\b\b1e30"_s << u"1e30"_s << 2
      << u"溢出：里程K1 的数值超出可比较的里程范围"_s;
  QTest::newRow("equal stations: no failure")
      << QStringList{u"100"_s, QString(), u"100"_s} << u"Text2"_s << u"1e400"_s << u"1e400"_s << 0
      << QString();
}

void TestFailureReport::oneReportPerFailingState() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, target);
  QFETCH(QString, keys);
  QFETCH(QString, finalText);
  QFETCH(int, reports);
  QFETCH(QString, shown);

  setInputs(inputs);
  QLineEdit* edited = box(target);
  QTest::mouseClick(edited, Qt::LeftButton);
  edited->end(false);
  for (const QChar key : keys) {
    const QString before = box(u"Text6"_s)->text();
    if (key == u'\b' || key == u'\x1b') {
      QTest::keyClick(edited, key == u'\b' ? Qt::Key_Backspace : Qt::Key_Escape);
    } else {
      vornell::test::typeText(edited, QString(key));
    }
    QCOMPARE(QApplication::focusWidget(), edited);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    if (!shownReport().isEmpty()) {
      QCOMPARE(box(u"Text6"_s)->text(), before);  // a failed run writes nothing
    }
  }
  QCOMPARE(edited->text(), finalText);
  QCOMPARE(edited->cursorPosition(), finalText.size());
  QCOMPARE(reports_->shown, reports);
  QCOMPARE(shownReport(), shown);
}

void TestFailureReport::overlongEditRefused_data() {
  QTest::addColumn<QString>("start");
  QTest::addColumn<bool>("selectAll");
  QTest::addColumn<QString>("pasted");  // empty: the key 5 is typed instead
  QTest::addColumn<bool>("accepted");

  const qsizetype room = kMaxNumberTextLength - 3;
  QTest::newRow("paste to the limit") << u"150"_s << false << QString(room, u'0') << true;
  QTest::newRow("paste one beyond") << u"150"_s << false << QString(room + 1, u'0') << false;
  QTest::newRow("paste of 10 MB") << u"150"_s << false << QString(10 << 20, u'7') << false;
  QTest::newRow("paste over the selection")
      << u"150"_s << true << QString(kMaxNumberTextLength, u'0') << true;
  QTest::newRow("full-width paste counted as mapped")
      << u"150"_s << false << QString(room, u'０') << true;
  QTest::newRow("removed characters not counted")
      << u"150"_s << false << QString(room, u'0') + QString(9, u'\u200B') << true;
  QTest::newRow("key at the limit")
      << QString(room, u'0') + u"150"_s << false << QString() << false;
}

// An edit beyond the limit is refused as a whole: the box keeps its text and
// no run starts; the report says why and names the box.
void TestFailureReport::overlongEditRefused() {
  QFETCH(QString, start);
  QFETCH(bool, selectAll);
  QFETCH(QString, pasted);
  QFETCH(bool, accepted);

  setInputs(kPoints);
  QLineEdit* kx = box(u"Text5"_s);
  kx->setText(start);
  QTest::mouseClick(kx, Qt::LeftButton);
  if (!selectAll) {
    kx->home(false);  // leading zeros keep the value
  }
  const QString result = box(u"Text6"_s)->text();
  QSignalSpy changes(kx, &QLineEdit::textChanged);
  if (pasted.isEmpty()) {
    QTest::keyClick(kx, Qt::Key_5);
  } else {
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(kx, Qt::Key_V, Qt::ControlModifier);
  }
  QCOMPARE(changes.count(), accepted ? 1 : 0);
  QVERIFY(kx->text().size() <= kMaxNumberTextLength);
  QCOMPARE(QApplication::focusWidget(), kx);
  if (accepted) {
    QCOMPARE(shownReport(), QString());
    return;
  }
  QCOMPARE(kx->text(), start);
  QCOMPARE(box(u"Text6"_s)->text(), result);
  QCOMPARE(shownReport(), vornell::ui::refusedLengthText(u"里程Kx"_s));
  QVERIFY(shownReport().contains(QString::number(kMaxNumberTextLength)));
  QCOMPARE(reports_->shown, 1);
}

// Undo keeps working after a long session in one box, back through the last
// edits, but no longer back to the start of the session.
void TestFailureReport::undoStaysBounded() {
  setInputs(kPoints);
  QLineEdit* kx = box(u"Text5"_s);
  QTest::mouseClick(kx, Qt::LeftButton);
  kx->end(false);
  for (int i = 0; i < 3000; ++i) {
    QTest::keyClick(kx, i % 2 == 0 ? Qt::Key_5 : Qt::Key_Backspace);
  }
  QCoreApplication::processEvents();
  vornell::test::typeText(kx, u"25"_s);
  QCOMPARE(box(u"Text6"_s)->text(), u"525.875"_s);  // Kx = 15025
  QTest::keyClick(kx, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(kx->text(), u"150"_s);
  QCOMPARE(box(u"Text6"_s)->text(), u"5.25"_s);
  QTest::keyClick(kx, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(kx->text(), u"1505"_s);
  QTest::keyClick(kx, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(kx->text(), u"150"_s);
  QTest::keyClick(kx, Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(kx->text(), u"1505"_s);
  int undos = 0;
  while (kx->isUndoAvailable() && undos <= 3000) {
    kx->undo();
    ++undos;
  }
  QVERIFY2(undos <= vornell::ui::kUndoSteps + 2, qPrintable(QString::number(undos)));
  QVERIFY(kx->text().startsWith(u"150"_s));
}

QTEST_MAIN(TestFailureReport)
#include "tst_failure_report.moc"
