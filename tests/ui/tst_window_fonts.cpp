// The window in the fonts of Chinese and Latin desktops, at the scale factor
// the test runs with (QT_SCALE_FACTOR): every caption shows whole within its
// control, and a number sits inside its box. Fault: a layout of fixed
// rectangles that cuts captions or digits in a font larger than it was
// drawn for.
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextEdit>

#include "ui/form1.h"

using namespace Qt::StringLiterals;

class TestWindowFonts : public QObject {
  Q_OBJECT

 private slots:
  void captionsFit_data();
  void captionsFit();
};

void TestWindowFonts::captionsFit_data() {
  QTest::addColumn<QString>("family");
  QTest::addColumn<qreal>("points");
  for (const QString& family : {u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s,
                                u"WenQuanYi Zen Hei"_s, u"AR PL UMing CN"_s, u"DejaVu Sans"_s}) {
    for (const qreal points : {9.0, 10.5, 12.0, 14.0}) {
      QTest::addRow("%s %.1f pt", qPrintable(family), points) << family << points;
    }
  }
}

// The part of a control's width that its text may use, by the style's own
// measure of the control's contents.
static int textWidth(QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
  return button->style()
      ->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents,
                       &option, button)
      .width();
}

void TestWindowFonts::captionsFit() {
  QFETCH(QString, family);
  QFETCH(qreal, points);
  if (!QFontDatabase::hasFamily(family)) {
    QSKIP(qPrintable(u"font not installed: "_s + family));
  }
  QFont font(family);
  font.setPointSizeF(points);
  QApplication::setFont(font);
  vornell::ui::Form1 form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));

  const QList<QLineEdit*> boxes = form.findChildren<QLineEdit*>();
  for (QLabel* label : form.findChildren<QLabel*>()) {
    const QFontMetrics metrics = label->fontMetrics();
    int visible = label->width();  // up to the box that covers its end
    for (const QLineEdit* box : boxes) {
      if (box->geometry().intersects(label->geometry()) && box->x() > label->x()) {
        visible = std::min(visible, box->x() - label->x());
      }
    }
    QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
    QVERIFY2(metrics.boundingRect(label->text()).right() < visible, qPrintable(label->text()));
  }
  for (QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
    QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= textWidth(button),
             qPrintable(button->text()));
  }
  auto* formula = form.findChild<QTextEdit*>(u"Text7"_s);
  const QSizeF document = formula->document()->size();
  QVERIFY(document.width() <= formula->viewport()->width());
  QVERIFY(document.height() <= formula->viewport()->height());

  // The digits' ink between the box's top and bottom edges, where the box
  // draws them: centred on the caret's line.
  QLineEdit* box = boxes.front();
  box->setText(u"1604.86667"_s);
  const QFontMetrics metrics = box->fontMetrics();
  const int baseline =
      box->inputMethodQuery(Qt::ImCursorRectangle).toRect().top() + metrics.ascent();
  const QRect ink = metrics.tightBoundingRect(box->text()).translated(0, baseline);
  QVERIFY2(
      box->contentsRect().contains(QRect(0, ink.top(), 1, ink.height())),
      qPrintable(
          u"digits %1..%2 in a box of %3"_s.arg(ink.top()).arg(ink.bottom()).arg(box->height())));
}

QTEST_MAIN(TestWindowFonts)
#include "tst_window_fonts.moc"
