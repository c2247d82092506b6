// Helpers shared by the window tests: the program's own application object,
// typing any Unicode text, and closing the message boxes that a user action
// opens.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <vector>

#include "ui/application.h"
#include "ui/qt_compat.h"

// Like QTEST_MAIN, with the application object the program makes: its
// toolkit texts, and on Windows its default font. VORNELL_TEST_DESKTOP_FONT
// ("Noto Sans CJK SC,16") gives the desktop another font, as its settings do.
#define VORNELL_WINDOW_TEST_MAIN(TestObject)                                                       \
  int main(int argc, char** argv) {                                                                \
    vornell::ui::compat::scaleLikeQt6();                                                           \
    vornell::ui::Application application(argc, argv);                                              \
    if (const QString font = qEnvironmentVariable("VORNELL_TEST_DESKTOP_FONT"); !font.isEmpty()) { \
      QFont desktop;                                                                               \
      desktop.fromString(font);                                                                    \
      QApplication::setFont(desktop);                                                              \
    }                                                                                              \
    TestObject test;                                                                               \
    QTEST_SET_MAIN_SOURCE_PATH                                                                     \
    return QTest::qExec(&test, argc, argv);                                                        \
  }

namespace vornell::test {

// Types `text` into `widget` one key at a time. Characters beyond ASCII go as
// key events that carry the text, the way an input method commits them.
inline void typeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// While alive, closes every modal dialog as soon as it is up, by its OK
// button, and records what each showed. A box that nobody expected is thus
// counted instead of hanging the test.
class ModalBoxCloser {
 public:
  struct Seen {
    QString title, text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QString okText;
    QWidget* parent;
  };

  ModalBoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(2);
  }
  const std::vector<Seen>& seen() const { return seen_; }

 private:
  void poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
      return;
    }
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     ok ? ok->text() : QString(), box->parentWidget()});
    ok ? ok->click() : (void)box->close();
  }

  QTimer timer_;
  std::vector<Seen> seen_;
};

}  // namespace vornell::test
