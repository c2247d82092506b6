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

// Types `text` into `widget` one key at a time. Characters beyond Latin-1
// (full-width digits, CJK) go as key events that carry the text, the way an
// input method's committed characters arrive one by one.
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
    QString className;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QWidget* parent = nullptr;
  };

  ModalBoxCloser() {
    timer_.setInterval(2);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }

  const std::vector<Seen>& seen() const { return seen_; }
  void clear() { seen_.clear(); }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
      return;
    }
    Seen seen;
    seen.className = QString::fromLatin1(modal->metaObject()->className());
    seen.title = modal->windowTitle();
    seen.modal = modal->isModal();
    seen.parent = modal->parentWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen.text = box->text();
      seen.icon = box->icon();
      seen.buttons = box->standardButtons();
      seen_.push_back(seen);
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
        return;
      }
    } else {
      seen_.push_back(seen);
    }
    modal->close();
  }

  QTimer timer_;
  std::vector<Seen> seen_;
};

}  // namespace vornell::test
