// Random use of the main window: keystrokes, pastes and clicks from a fixed
// seed. After every action the window is still there with no box left open,
// the result box holds nothing or a well-formed number, and after a run it
// holds what the interpolation gives for the boxes as they read.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "ui/control_table.h"
#include "ui/form1.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::test::ModalBoxCloser;
using vornell::ui::Form1;

namespace {

enum class Outcome { Result, NoChange, Failure };

struct Expectation {
  Outcome outcome;
  QString text;
};

}  // namespace

class TestForm1Random : public QObject {
  Q_OBJECT

 private slots:
  void randomUse_data();
  void randomUse();

 private:
  QLineEdit* box(int i) const { return form_->findChild<QLineEdit*>(u"Text%1"_s.arg(i)); }
  Expectation expectation() const;
  QString randomPaste();
  void randomKey(QWidget* focus);
  void randomClick();

  std::unique_ptr<Form1> form_;
  std::mt19937 random_;
};

Expectation TestForm1Random::expectation() const {
  std::optional<vornell::InterpolationMode> mode;
  if (form_->findChild<QRadioButton*>(u"Option1"_s)->isChecked()) {
    mode = vornell::InterpolationMode::Linear;
  } else if (form_->findChild<QRadioButton*>(u"Option2"_s)->isChecked()) {
    mode = vornell::InterpolationMode::Parabolic;
  }
  const std::string k1 = box(1)->text().toStdString();
  const std::string w1 = box(2)->text().toStdString();
  const std::string k2 = box(3)->text().toStdString();
  const std::string w2 = box(4)->text().toStdString();
  const std::string kx = box(5)->text().toStdString();
  try {
    if (const std::optional<std::string> result =
            vornell::interpolate(mode, {k1, w1, k2, w2, kx})) {
      return {Outcome::Result, QString::fromStdString(*result)};
    }
    return {Outcome::NoChange, {}};
  } catch (const vornell::NumericError&) {
    return {Outcome::Failure, {}};
  }
}

QString TestForm1Random::randomPaste() {
  static const QString samples[] = {
      u"１２３．５"_s, u"－２５"_s, u"1e30"_s,  u"1e400"_s,  u"\u22120.001"_s,
      u"3.5"_s,        u"200"_s,    u"  7 "_s,  u"&H10"_s,   u"１Ｅ３"_s,
      u"-1e308"_s,     u"1e-400"_s, u"100.0"_s, u"K1+200"_s, u"1.2.3"_s,
  };
  std::uniform_int_distribution<int> pick(0, 19);
  const int which = pick(random_);
  if (which < 15) {
    return samples[which];
  }
  // A long run of digits, sometimes with a point or an exponent.
  std::uniform_int_distribution<int> length(100, 20000);
  std::uniform_int_distribution<int> digit(0, 9);
  QString text;
  const int n = length(random_);
  text.reserve(n + 8);
  for (int i = 0; i < n; ++i) {
    text += QChar(u'0' + digit(random_));
  }
  if (which == 16) {
    text.insert(1, u'.');
  } else if (which == 17) {
    text = u"0."_s + text;
  } else if (which == 18) {
    text += u"E-9999"_s;
  }
  return text;
}

void TestForm1Random::randomKey(QWidget* focus) {
  static const Qt::Key navigation[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Left,
                                       Qt::Key_Right, Qt::Key_Up,      Qt::Key_Down,
                                       Qt::Key_Home,  Qt::Key_End,     Qt::Key_Space};
  static const char printable[] = "0123456789012345678901234+-..Eea K";
  const bool inResultBox = focus == box(6);
  if (focus->objectName() == u"Command1"_s) {
    // Space or a typed blank would press "退出"; leave it by Tab instead.
    QTest::keyClick(focus, Qt::Key_Tab);
    return;
  }
  std::uniform_int_distribution<int> kind(0, 9);
  const int k = kind(random_);
  if (k < 6 && !inResultBox) {
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(printable) - 2);
    QTest::keyClick(focus, printable[pick(random_)]);
  } else if (k < 8 && !inResultBox) {
    QTest::keyClick(focus, k == 6 ? Qt::Key_Backspace : Qt::Key_Delete);
  } else {
    std::uniform_int_distribution<std::size_t> pick(0, std::size(navigation) - 1);
    Qt::Key key = navigation[pick(random_)];
    // Nothing is typed into the result box here.
    if (key == Qt::Key_Space && inResultBox) {
      key = Qt::Key_Tab;
    }
    if (key == Qt::Key_Backtab) {
      QTest::keyClick(focus, key, Qt::ShiftModifier);
    } else {
      QTest::keyClick(focus, key);
    }
  }
}

// A click somewhere on a control, but never on "退出".
void TestForm1Random::randomClick() {
  std::vector<const vornell::ui::ControlRow*> targets;
  for (const vornell::ui::ControlRow& row : vornell::ui::kControls) {
    if (row.name != "Command1") {
      targets.push_back(&row);
    }
  }
  std::uniform_int_distribution<std::size_t> pick(0, targets.size() - 1);
  const QRect r = vornell::ui::pixelRect(*targets[pick(random_)]);
  std::uniform_int_distribution<int> x(r.left(), r.right());
  std::uniform_int_distribution<int> y(r.top(), r.bottom());
  QPoint point(x(random_), y(random_));
  if (vornell::ui::pixelRect(*vornell::ui::findControl("Command1")).contains(point)) {
    return;
  }
  QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, point, 50);
}

void TestForm1Random::randomUse_data() {
  QTest::addColumn<unsigned>("seed");
  QTest::addColumn<int>("actions");

  QTest::newRow("seed 1") << 1u << 2500;
  QTest::newRow("seed 20240611") << 20240611u << 2500;
}

void TestForm1Random::randomUse() {
  QFETCH(unsigned, seed);
  QFETCH(int, actions);

  random_.seed(seed);
  form_ = std::make_unique<Form1>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));

  const QRegularExpression number(u"^-?\\d+(\\.\\d+)?(E[+-]\\d{2,3})?$"_s);
  ModalBoxCloser closer;
  QSignalSpy option1Clicks(form_->findChild<QRadioButton*>(u"Option1"_s), &QRadioButton::clicked);
  QSignalSpy option2Clicks(form_->findChild<QRadioButton*>(u"Option2"_s), &QRadioButton::clicked);
  std::vector<std::unique_ptr<QSignalSpy>> edits;
  for (int i = 1; i <= 5; ++i) {
    edits.push_back(std::make_unique<QSignalSpy>(box(i), &QLineEdit::textChanged));
  }
  const auto runCount = [&] {
    qsizetype runs = option1Clicks.count() + option2Clicks.count();
    for (const auto& spy : edits) {
      runs += spy->count();
    }
    return runs;
  };

  const auto* report = form_->findChild<QWidget*>(u"FailureReport"_s);
  QVERIFY(report != nullptr);
  bool failing = false;  // the last run failed
  int results = 0;
  int failures = 0;
  std::uniform_int_distribution<int> action(0, 99);
  for (int step = 0; step < actions; ++step) {
    const QString resultBefore = box(6)->text();
    const qsizetype runsBefore = runCount();
    const std::size_t boxesBefore = closer.seen().size();

    // After a message box the window takes the focus back once it is active
    // again, which the platform reports a moment later.
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() != nullptr,
                              qPrintable(u"step %1: no focus"_s.arg(step)), 2000);
    QWidget* focus = QApplication::focusWidget();
    const int a = action(random_);
    if (a < 75) {
      randomKey(focus);
    } else if (a < 85 && focus != box(6)) {
      QGuiApplication::clipboard()->setText(randomPaste());
      QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
    } else {
      randomClick();
    }

    const QString where = u"step %1"_s.arg(step);
    QVERIFY2(form_->isVisible(), qPrintable(where));
    QVERIFY2(QApplication::activeModalWidget() == nullptr, qPrintable(where));
    const QString result = box(6)->text();
    QVERIFY2(result.isEmpty() || (number.match(result).hasMatch() && result != u"-0"_s),
             qPrintable(where + u": result box holds "_s + result.left(40)));

    const qsizetype runs = runCount() - runsBefore;
    QVERIFY2(runs <= 1, qPrintable(where + u": more than one run for one action"_s));
    const std::size_t boxes = closer.seen().size() - boxesBefore;
    if (runs == 0) {
      // An About box is the only one that may open without a run.
      QVERIFY2(result == resultBefore, qPrintable(where));
      for (std::size_t i = boxesBefore; i < closer.seen().size(); ++i) {
        QCOMPARE(closer.seen()[i].icon, QMessageBox::Information);
      }
      continue;
    }
    const Expectation want = expectation();
    QVERIFY2(boxes == 0, qPrintable(where));
    // A failure is reported in the window when its failing state begins; a
    // run that does not fail takes the report away.
    QVERIFY2((want.outcome == Outcome::Failure) == !report->isHidden() ||
                 (want.outcome == Outcome::Failure && failing),
             qPrintable(where + u": report "_s + report->accessibleName()));
    failing = want.outcome == Outcome::Failure;
    switch (want.outcome) {
      case Outcome::Result:
        ++results;
        QVERIFY2(result == want.text,
                 qPrintable(where + u": shows "_s + result + u", expected "_s + want.text));
        break;
      case Outcome::NoChange:
        QVERIFY2(result == resultBefore, qPrintable(where));
        break;
      case Outcome::Failure:
        ++failures;
        QVERIFY2(result == resultBefore, qPrintable(where));
        break;
    }
  }
  // The walk reached both ends of a run.
  QVERIFY(results > 0);
  QVERIFY(failures > 0);
  form_.reset();
}

QTEST_MAIN(TestForm1Random)
#include "tst_form1_random.moc"
