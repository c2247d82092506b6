// Full-width number input: which characters take their ASCII form, and the
// caret after a mapped keystroke. Typing and pasting into the window's boxes
// are tested with the window.
#include <QLineEdit>
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
