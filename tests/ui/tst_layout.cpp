// The window in a desktop's font, at the display scale the test runs with
// (QT_SCALE_FACTOR): every caption, formula line, number and message whole in
// its control and in that font, and the window no larger than its texts need.
#include <QFontInfo>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>

#include "ui/control_table.h"
#include "ui/number_box.h"
#include "window_test_support.h"

using namespace Qt::StringLiterals;

class TestLayout : public vornell::test::WindowTest {
  Q_OBJECT

 private slots:
  void fits_data();
  void fits();

 private:
  // Whether a text's `extent` fits in its `room`, keeping the least room to spare.
  bool fit(int extent, int room, const QString& what) {
    spare_ = std::min(spare_, room - extent);
    return extent <= room || (qWarning("%s: %d > %d", qPrintable(what), extent, room), false);
  }
  // The box shows its whole text with the caret after it: painted so, it has
  // not scrolled the text.
  static bool showsWhole(QLineEdit* box) {
    box->home(false);
    box->repaint();
    box->end(false);
    const int unscrolled = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    box->repaint();
    return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().x() == unscrolled;
  }
  void captionsFit();
  void numbersFit();
  void messagesFit();
  int spare_ = 0;
};

void TestLayout::fits_data() {
  QTest::addColumn<QFont>("font");
  for (const char* family : {"Noto Sans CJK SC", "WenQuanYi Micro Hei", "WenQuanYi Zen Hei",
                             "AR PL UMing CN", "DejaVu Sans", "DejaVu Sans Mono"}) {
    for (const qreal points : {9.0, 10.5, 12.0, 16.0, 96.0}) {  // 96: larger than a screen holds
      QFont font(QString::fromLatin1(family));
      font.setPointSizeF(points);
      QTest::addRow("%s %.1f pt", qPrintable(font.family()), points) << font;
    }
  }
  QFont wide(u"DejaVu Sans"_s, 10);  // digits wider for their height than any desktop's
  wide.setLetterSpacing(QFont::PercentageSpacing, 250);
  QTest::newRow("DejaVu Sans 10 pt, letters spaced out") << wide;
}

// Faults: a font smaller than the desktop's where the screen has room; a
// caption, formula line, digit or message cut; a window larger than needed.
void TestLayout::fits() {
  QFETCH(QFont, font);
  if (QFontInfo(font).family() != font.family()) {
    QSKIP("font not installed");
  }
  QApplication::setFont(font);
  init();
  const QRect screen = form_->screen()->availableGeometry();
  QVERIFY(screen.contains(form_->frameGeometry()));
  const QFont drawn = box(1)->font();
  const QSize left = screen.size() - form_->frameGeometry().size();
  QVERIFY(drawn == font ||  // only to stay on the screen, which it then fills in one direction
          (drawn.pointSizeF() < font.pointSizeF() && std::min(left.width(), left.height()) <= 2));
  for (const QWidget* control : form_->findChildren<QWidget*>()) {
    QVERIFY2(control->font() == drawn, qPrintable(control->objectName()));
  }
  spare_ = screen.width();
  captionsFit();
  numbersFit();
  messagesFit();
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)  // no larger than needed (Qt 5's Windows style: wider)
  const qreal scale = form_->width() / qreal(vornell::ui::clientSize().width());
  QVERIFY2(scale < 1.01 || drawn != font || spare_ < 3, qPrintable(QString::number(spare_)));
#endif
}

// Captions in the part of their control the style gives them, and not under
// the box over a long label's end; the formula lines above the mode buttons.
void TestLayout::captionsFit() {
  const QFontMetrics metrics(box(1)->font());
  for (QLabel* label : form_->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    const QWidget* over = form_->childAt(label->geometry().topRight());
    const bool formula = label->objectName() == u"Text7"_s;
    const QSize room(over == label ? label->width() : over->x() - label->x(),
                     formula ? control(u"Option1"_s)->y() - label->y() : label->height());
    const QSize text = formula ? label->sizeHint()
                               : QSize(metrics.horizontalAdvance(label->text()), metrics.height());
    QVERIFY(fit(text.width(), room.width(), label->text()));
    QVERIFY(fit(text.height(), room.height(), label->text()));
  }
  for (QAbstractButton* button :
       form_->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    option.features = radio ? QStyleOptionButton::None : QStyleOptionButton::AutoDefaultButton;
    const QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
    QVERIFY(fit(metrics.horizontalAdvance(button->text()), room.width(), button->text()));
    QVERIFY(fit(metrics.height(), room.height(), button->text()));
  }
}

// A station, an elevation and a result as long as real ones, typed into each
// box: whole, their line inside it; 3 pixels narrower, one is not.
void TestLayout::numbersFit() {
  for (int n = 1; n <= 6; ++n) {
    QLineEdit* shown = box(n);
    QTest::mouseClick(shown, Qt::LeftButton);
    for (const QString& number : {u"1604.86667"_s, u"1444.82753"_s, u"123456.789"_s}) {
      QTest::keyClick(shown, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(shown, number);
      QVERIFY2(showsWhole(shown), qPrintable(u"%1 in Text%2"_s.arg(number).arg(n)));
      const QRect caret = shown->inputMethodQuery(Qt::ImCursorRectangle).toRect();
      QVERIFY(caret.top() >= 0 && caret.bottom() < shown->height());
    }
    shown->resize(shown->width() - 3, shown->height());
    spare_ = showsWhole(shown) ? spare_ : std::min(spare_, 2);
    shown->resize(shown->width() + 3, shown->height());
  }
}

// The longest messages whole in the bar: a refused paste, a Kx beyond K2.
void TestLayout::messagesFit() {
  const auto* said = control(u"MessageBar"_s)->findChild<QLabel*>();
  start();
  act(u"@Option2"_s);
  act(u"@Text5"_s);
  for (const QString& step :
       {u"key:"_s + QString(vornell::ui::kMaxNumberTextLength + 1, u'0'), u"300"_s}) {
    act(step);
    QCoreApplication::processEvents();  // a refusal is told once the paste is over
    QVERIFY2(said->text() == message() && said->heightForWidth(said->width()) <= said->height(),
             qPrintable(message()));
  }
}

VORNELL_WINDOW_TEST_MAIN(TestLayout)
#include "tst_layout.moc"
