// Helpers shared by the window tests: typing any Unicode text, and closing
// the message boxes that a user action opens.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <vector>

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
// button when it has one, and records what each showed. A box that nobody
// expected is thus counted instead of hanging the test.
class ModalBoxCloser {
 public:
  struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;
  };

  ModalBoxCloser() {
    timer_.setInterval(2);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }

  const std::vector<Seen>& seen() const { return seen_; }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    seen_.push_back({modal->windowTitle(), box ? box->text() : QString(),
                     box ? box->icon() : QMessageBox::NoIcon,
                     box ? box->standardButtons() : QMessageBox::StandardButtons(),
                     modal->parentWidget()});
    if (QAbstractButton* ok = box ? box->button(QMessageBox::Ok) : nullptr) {
      ok->click();
    } else {
      modal->close();
    }
  }

  QTimer timer_;
  std::vector<Seen> seen_;
};

}  // namespace vornell::test
