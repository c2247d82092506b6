// Number input mapping: which characters take their ASCII form, which become
// a plain space or go, what the box then reads as, and the caret after a
// mapped keystroke. Typing and pasting into the window's boxes
// are tested with the window.
#include <QLineEdit>
#include <QTest>

#include "core/numeric_text.h"
#include "ui/number_box.h"
#include "ui/qt_compat.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;
using vornell::ui::NumberInputValidator;
using vornell::ui::toAsciiNumberText;

class TestNumberBox : public QObject {
  Q_OBJECT

 private slots:
  void mapping_data();
  void mapping();
  void cursorStaysInPlace_data();
  void cursorStaysInPlace();
};

void TestNumberBox::mapping_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<double>("value");  // what the box then reads as

  QTest::newRow("full-width digits") << u"０１２３４５６７８９"_s << u"0123456789"_s << 123456789.0;
  QTest::newRow("full-width full stop") << u"３．５"_s << u"3.5"_s << 3.5;
  QTest::newRow("ideographic full stop") << u"３。５"_s << u"3.5"_s << 3.5;
  QTest::newRow("full-width signs") << u"＋１－２"_s << u"+1-2"_s << 1.0;
  QTest::newRow("minus sign") << u"\u22125"_s << u"-5"_s << -5.0;
  QTest::newRow("full-width exponent letters") << u"１Ｅ３ｅ"_s << u"1E3e"_s << 1000.0;
  QTest::newRow("other full-width letters untouched") << u"Ｋ１"_s << u"Ｋ1"_s << 0.0;
  QTest::newRow("full-width comma untouched") << u"１，２"_s << u"1，2"_s << 1.0;
  QTest::newRow("CJK untouched") << u"里程"_s << u"里程"_s << 0.0;
  QTest::newRow("empty") << QString() << QString() << 0.0;
  QTest::newRow("leading byte-order mark") << u"\uFEFF-2.5"_s << u"-2.5"_s << -2.5;
  QString ascii;
  for (char16_t c = 1; c < 0x80; ++c) {
    ascii += QChar(c);
  }
  QTest::newRow("ASCII but NUL untouched") << ascii << ascii << 0.0;
  const auto addRows = [](std::initializer_list<char16_t> chars, const QString& shown,
                          const char* what) {
    for (const char16_t c : chars) {
      QTest::addRow("U+%04X %s", unsigned(c), what)
          << u"12"_s + QChar(c) + u"345"_s << shown << 12345.0;
    }
  };
  // What web pages and spreadsheets put between digit groups.
  addRows({0x00A0, 0x1680, 0x2000, 0x2001, 0x2002, 0x2003, 0x2004, 0x2005, 0x2006, 0x2007, 0x2008,
           0x2009, 0x200A, 0x202F, 0x205F, 0x2028, 0x2029, 0x3000},
          u"12 345"_s, "becomes a space");
  addRows({0x0000, 0x00AD, 0x200B, 0x200C, 0x200D, 0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D,
           0x202E, 0x2060, 0x2066, 0x2067, 0x2068, 0x2069, 0xFEFF},
          u"12345"_s, "removed");
}

// What the box shows is what it reads as.
void TestNumberBox::mapping() {
  QFETCH(QString, input);
  QFETCH(QString, expected);
  QFETCH(double, value);
  QString text = input;
  QCOMPARE(toAsciiNumberText(text), input != expected);
  QCOMPARE(text, expected);
  QCOMPARE(vornell::readNumber(text.toStdString()), value);
}

void TestNumberBox::cursorStaysInPlace_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<int>("cursor");
  QTest::newRow("full-width digit") << u"５"_s << u"12534"_s << 3;
  QTest::newRow("no-break space") << u"\u00A0"_s << u"12 34"_s << 3;
  QTest::newRow("zero-width space") << u"\u200B"_s << u"1234"_s << 2;
}

// A mapped character typed in the middle leaves the caret after it, a
// removed one leaves it where it was.
void TestNumberBox::cursorStaysInPlace() {
  QFETCH(QString, typed);
  QFETCH(QString, expected);
  QFETCH(int, cursor);
  QLineEdit box;
  box.setValidator(new NumberInputValidator(&box));
  box.setText(u"1234"_s);
  box.setCursorPosition(2);
  vornell::test::typeText(&box, typed);
  QCOMPARE(box.text(), expected);
  QCOMPARE(box.cursorPosition(), cursor);
}

QTEST_MAIN(TestNumberBox)
#include "tst_number_box.moc"
