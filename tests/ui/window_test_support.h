// Shared by the window tests: the program's application object, a fixture
// with a fresh window, its controls by name and the messages that came up in
// it, and typing, pasting and dropping any text.
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <memory>

#include "ui/application.h"
#include "ui/form1.h"
#include "ui/qt_compat.h"

// Like QTEST_MAIN, with the application object the program makes.
#define VORNELL_WINDOW_TEST_MAIN(TestObject)          \
  int main(int argc, char** argv) {                   \
    vornell::ui::compat::scaleLikeQt6();              \
    vornell::ui::Application application(argc, argv); \
    TestObject test;                                  \
    QTEST_SET_MAIN_SOURCE_PATH                        \
    return QTest::qExec(&test, argc, argv);           \
  }

namespace vornell::test {

// One key at a time; beyond ASCII as an input method commits it.
inline void typeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// Pasted by Ctrl+V ("key") or the box's menu ("menu"), or dropped at its start.
inline void insert(QLineEdit* box, const QString& text, const QString& how) {
  QGuiApplication::clipboard()->setText(text);
  if (how == QStringLiteral("key")) {
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  } else if (how == QStringLiteral("menu")) {
    box->paste();
  } else {
    QMimeData data;
    data.setText(text);
    const QPoint start(1, box->height() / 2);
    QDragEnterEvent enter(start, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box,
                                &enter);  // the drop goes where the drag entered
    QDropEvent drop(start, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &drop);
  }
}

// A fresh window for every test function, shown and active, the focus in Text1.
class WindowTest : public QObject {
  Q_OBJECT

 protected slots:
  void init() {
    form_ = std::make_unique<ui::Form1>();
    control(QStringLiteral("MessageBar"))->installEventFilter(this);
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() { form_.reset(); }

 protected:
  // Each message that came up, as assistive tools read it with its alert.
  bool eventFilter(QObject* bar, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      cameUp_ << static_cast<QWidget*>(bar)->accessibleName();
    }
    return false;
  }
  QLineEdit* box(int n) const {
    return form_->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
  }
  QWidget* control(const QString& name) const { return form_->findChild<QWidget*>(name); }
  QString message() const {  // while the bar shows
    const QWidget* bar = control(QStringLiteral("MessageBar"));
    return bar->isVisible() ? bar->accessibleName() : QString();
  }
  // The worked example set into Text1 to Text5, K1's text selected, and no
  // message counted yet.
  void start() {
    int n = 0;
    for (const char* value : {"100", "3.5", "200", "7", "125"}) {
      box(++n)->setText(QLatin1String(value));
    }
    QTest::keyClick(box(1), Qt::Key_A, Qt::ControlModifier);
    cameUp_.clear();
  }
  // One step of a user, on the focused control: <key> pressed (<Tab>,
  // <Shift+Tab>, <Esc>, <Backspace>, <F2>, <Ctrl+Z>...); @Name a click on a
  // control, @@Name a right click, ~Name pressed and released off it, @Name/
  // a click on its top right corner; key:text pasted by Ctrl+V, drop:text
  // dropped, over the box's text; ?Name: the focus is there; =Name:text its
  // text is that; [text]: the focused box's selection; else text typed.
  void act(const QString& step) {
    QWidget* focus = QApplication::focusWidget();
    auto* edited = qobject_cast<QLineEdit*>(focus);
    const QString name = step.section(QLatin1Char(':'), 0, 0)
                             .remove(QRegularExpression(QStringLiteral("^[@=?~]+|/$")));
    if (step.startsWith(u'<')) {  // a key, as Qt names it
      QTest::keySequence(focus, QKeySequence(step.mid(1).chopped(1)));
    } else if (step.startsWith(QLatin1String("@@"))) {
      QTest::mousePress(control(name), Qt::RightButton);
      const auto* box = qobject_cast<QLineEdit*>(control(name));
      QVERIFY(!box || box->selectedText() == box->text());  // at the press, for its menu's Copy
      if (QWidget* menu = QApplication::activePopupWidget()) {
        menu->close();
      }
      QTest::mouseRelease(control(name), Qt::RightButton);
    } else if (step.startsWith(QLatin1Char('~'))) {  // pressed, released off it
      QTest::mousePress(control(name), Qt::LeftButton);
      QTest::mouseRelease(control(name), Qt::LeftButton, {}, QPoint(-2, -2));
    } else if (step.startsWith(QLatin1Char('@'))) {
      QTest::mouseClick(
          control(name), Qt::LeftButton, {},
          step.endsWith(QLatin1Char('/')) ? control(name)->rect().topRight() : QPoint());
    } else if (step.startsWith(QLatin1Char('?'))) {
      QCOMPARE(focus->objectName(), name);
    } else if (step.startsWith(QLatin1Char('='))) {
      QCOMPARE(control(name)->property("text").toString(), step.section(QLatin1Char(':'), 1));
    } else if (step.startsWith(QLatin1Char('['))) {
      QCOMPARE(edited->selectedText(), step.mid(1).chopped(1));
    } else if (step.startsWith(QLatin1String("key:")) || step.startsWith(QLatin1String("drop:"))) {
      insert(edited, step.section(QLatin1Char(':'), 1), name);
    } else {
      typeText(focus, step);
    }
  }

  std::unique_ptr<ui::Form1> form_;
  QStringList cameUp_;
};

}  // namespace vornell::test
