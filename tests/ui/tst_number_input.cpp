// Full-width number input in a number box: the ASCII form is what the box
// holds, and each keystroke or paste reports one change.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "ui/number_input.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::ui::NumberInputValidator;
using vornell::ui::toAsciiNumberText;

class TestNumberInput : public QObject {
  Q_OBJECT

 private slots:
  void mapping_data();
  void mapping();
  void typed_data();
  void typed();
  void pasted_data();
  void pasted();
  void cursorStaysInPlace();
};

void TestNumberInput::mapping_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("expected");

  QTest::newRow("full-width digits") << u"０１２３４５６７８９"_s << u"0123456789"_s;
  QTest::newRow("full-width full stop") << u"３．５"_s << u"3.5"_s;
  QTest::newRow("ideographic full stop") << u"３。５"_s << u"3.5"_s;
  QTest::newRow("full-width signs") << u"＋１－２"_s << u"+1-2"_s;
  QTest::newRow("minus sign") << u"\u22125"_s << u"-5"_s;
  QTest::newRow("ideographic space") << u"1\u30002"_s << u"1 2"_s;
  QTest::newRow("full-width exponent letters") << u"１Ｅ３ｅ"_s << u"1E3e"_s;
  QTest::newRow("ASCII untouched") << u"+12.5e-3 &H1F K1"_s << u"+12.5e-3 &H1F K1"_s;
  QTest::newRow("other full-width letters untouched") << u"Ｋ１"_s << u"Ｋ1"_s;
  QTest::newRow("full-width comma untouched") << u"１，２"_s << u"1，2"_s;
  QTest::newRow("CJK untouched") << u"里程"_s << u"里程"_s;
  QTest::newRow("empty") << QString() << QString();
}

void TestNumberInput::mapping() {
  QFETCH(QString, input);
  QFETCH(QString, expected);
  QString text = input;
  const bool changed = toAsciiNumberText(text);
  QCOMPARE(text, expected);
  QCOMPARE(changed, input != expected);
}

void TestNumberInput::typed_data() {
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("expected");

  QTest::newRow("digits") << u"１２０"_s << u"120"_s;
  QTest::newRow("negative decimal") << u"－３．５"_s << u"-3.5"_s;
  QTest::newRow("ideographic point") << u"１。２５"_s << u"1.25"_s;
  QTest::newRow("exponent") << u"＋１Ｅ３"_s << u"+1E3"_s;
  QTest::newRow("mixed with ASCII") << u"1２.３"_s << u"12.3"_s;
}

// Typed one character at a time: the box shows ASCII after every key, and
// every key gives exactly one textChanged carrying the mapped text.
void TestNumberInput::typed() {
  QFETCH(QString, keys);
  QFETCH(QString, expected);

  QLineEdit box;
  box.setValidator(new NumberInputValidator(&box));
  QSignalSpy changes(&box, &QLineEdit::textChanged);
  vornell::test::typeText(&box, keys);

  QCOMPARE(box.text(), expected);
  QCOMPARE(changes.count(), keys.size());
  for (qsizetype i = 0; i < changes.count(); ++i) {
    QCOMPARE(changes.at(i).at(0).toString(), expected.left(i + 1));
  }
}

void TestNumberInput::pasted_data() {
  QTest::addColumn<QString>("clipboard");
  QTest::addColumn<QString>("expected");

  QTest::newRow("full-width number") << u"１２３．４５"_s << u"123.45"_s;
  QTest::newRow("signed exponent") << u"－１．５ｅ＋３"_s << u"-1.5e+3"_s;
  QTest::newRow("ASCII") << u"1e30"_s << u"1e30"_s;
}

void TestNumberInput::pasted() {
  QFETCH(QString, clipboard);
  QFETCH(QString, expected);

  QLineEdit box;
  box.setValidator(new NumberInputValidator(&box));
  QSignalSpy changes(&box, &QLineEdit::textChanged);
  QGuiApplication::clipboard()->setText(clipboard);
  QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);

  QCOMPARE(box.text(), expected);
  QCOMPARE(changes.count(), 1);
  QCOMPARE(changes.at(0).at(0).toString(), expected);
}

// A full-width character typed in the middle leaves the caret after it.
void TestNumberInput::cursorStaysInPlace() {
  QLineEdit box;
  box.setValidator(new NumberInputValidator(&box));
  box.setText(u"1234"_s);
  box.setCursorPosition(2);
  vornell::test::typeText(&box, u"５"_s);
  QCOMPARE(box.text(), u"12534"_s);
  QCOMPARE(box.cursorPosition(), 3);
}

QTEST_MAIN(TestNumberInput)
#include "tst_number_input.moc"
