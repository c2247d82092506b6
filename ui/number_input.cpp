#include "ui/number_input.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <memory>
#include <utility>

namespace vornell::ui {

namespace {

// The undo history may hold about this many of the toolkit's single-character
// steps (some 20 bytes each) before it is cut back to the last kUndoSteps
// edits.
constexpr qsizetype kUndoCommandBudget = 4096;

bool isRemoved(char16_t c) {
  return c == 0 || QChar::category(c) == QChar::Other_Format;
}

bool isSpaceLike(char16_t c) {
  const QChar::Category category = QChar::category(c);
  return category == QChar::Separator_Space || category == QChar::Separator_Line ||
         category == QChar::Separator_Paragraph;
}

// The ASCII form of a non-ASCII number character, or 0 when it has none.
char16_t asciiFor(char16_t c) {
  if (c >= u'０' && c <= u'９') {
    return static_cast<char16_t>(u'0' + (c - u'０'));
  }
  switch (c) {
    case u'．':  // U+FF0E full-width full stop
    case u'。':  // U+3002 ideographic full stop
      return u'.';
    case u'＋':  // U+FF0B
      return u'+';
    case u'－':      // U+FF0D
    case u'\u2212':  // minus sign
      return u'-';
    case u'Ｅ':  // U+FF25
      return u'E';
    case u'ｅ':  // U+FF45
      return u'e';
    default:
      return isSpaceLike(c) ? u' ' : 0;
  }
}

// Length of `box`'s text once `inserted` has replaced its selection.
qsizetype lengthAfterInsert(const QLineEdit* box, QString inserted) {
  toAsciiNumberText(inserted);
  return box->text().size() - box->selectedText().size() + inserted.size();
}

// Watches one number box: refuses pastes and drops beyond the length limit
// before the box takes them, and keeps its undo history bounded.
class NumberBoxGuard final : public QObject {
 public:
  NumberBoxGuard(QLineEdit* box, std::function<void(QLineEdit*)> onRefused)
      : QObject(box), box_(box), onRefused_(std::move(onRefused)) {
    states_.push_back({box->text(), 0});
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this] { recordEdit(); });
  }

  bool refuses(const QString& inserted) {
    if (lengthAfterInsert(box_, inserted) <= kMaxNumberTextLength) {
      return false;
    }
    if (onRefused_) {
      onRefused_(box_);
    }
    return true;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct State {
    QString text;
    qsizetype cost;  // undo steps the edit to this text added
  };

  bool showContextMenu(QContextMenuEvent* event);
  void recordEdit();
  void cutHistory();
  void replayEdit(const QString& from, const QString& to);

  QLineEdit* box_;
  std::function<void(QLineEdit*)> onRefused_;
  std::deque<State> states_;  // the texts the retained history leads through
  qsizetype historyCost_ = 0;
  bool cutQueued_ = false;
};

QString clipboardText(QClipboard::Mode mode) {
  return QGuiApplication::clipboard()->text(mode);
}

bool NumberBoxGuard::eventFilter(QObject* watched, QEvent* event) {
  if (watched != box_ || box_->isReadOnly()) {
    return false;
  }
  switch (event->type()) {
    case QEvent::KeyPress:
      return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
             refuses(clipboardText(QClipboard::Clipboard));
    case QEvent::MouseButtonRelease:
      return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
             QGuiApplication::clipboard()->supportsSelection() &&
             refuses(clipboardText(QClipboard::Selection));
    case QEvent::Drop: {
      const QMimeData* data = static_cast<QDropEvent*>(event)->mimeData();
      return data != nullptr && refuses(data->text());
    }
    case QEvent::ContextMenu:
      return showContextMenu(static_cast<QContextMenuEvent*>(event));
    default:
      return false;
  }
}

// The box's own menu, whose Paste first checks the length.
bool NumberBoxGuard::showContextMenu(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(box_->createStandardContextMenu());
  const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
  const QList<QAction*> actions = menu->actions();
  const auto found = std::find_if(actions.begin(), actions.end(), [&](const QAction* action) {
    return action->objectName() == QLatin1String("edit-paste") ||
           action->text().section(u'\t', 0, 0) == pasteCaption;
  });
  if (found == actions.end()) {
    return false;  // the toolkit's own menu; the validator still refuses
  }
  QAction* paste = *found;
  disconnect(paste, &QAction::triggered, nullptr, nullptr);
  connect(paste, &QAction::triggered, this, [this] {
    if (!refuses(clipboardText(QClipboard::Clipboard))) {
      box_->paste();
    }
  });
  menu->exec(event->globalPos());
  return true;
}

qsizetype commonPrefix(const QString& a, const QString& b) {
  qsizetype length = 0;
  while (length < a.size() && length < b.size() && a[length] == b[length]) {
    ++length;
  }
  return length;
}

// The toolkit keeps one undo step per character typed, pasted or removed.
qsizetype editCost(const QString& from, const QString& to) {
  return from.size() + to.size() - 2 * commonPrefix(from, to) + 2;
}

void NumberBoxGuard::recordEdit() {
  const QString text = box_->text();
  if (!box_->isUndoAvailable() || box_->isRedoAvailable()) {
    // A new text set as a whole, or a walk through the history by undo.
    states_.assign(1, {text, 0});
    if (!box_->isUndoAvailable()) {
      historyCost_ = 0;
    }
    return;
  }
  const qsizetype cost = editCost(states_.back().text, text);
  states_.push_back({text, cost});
  historyCost_ += cost;
  while (states_.size() > static_cast<std::size_t>(kUndoSteps) + 1) {
    states_.pop_front();
  }
  if (historyCost_ > kUndoCommandBudget && !cutQueued_) {
    // Not inside the box's own change notification.
    cutQueued_ = true;
    QTimer::singleShot(0, this, [this] { cutHistory(); });
  }
}

// Rebuilds the history from the last kUndoSteps edits: the text before them
// is set, which clears the history, and the edits are made again, so undo
// walks back through them as it did before.
void NumberBoxGuard::cutHistory() {
  cutQueued_ = false;
  if (states_.back().text != box_->text() || box_->isRedoAvailable()) {
    return;
  }
  const QSignalBlocker quiet(box_);
  const int cursor = box_->cursorPosition();
  const int selectionStart = box_->selectionStart();
  const int selectionLength = static_cast<int>(box_->selectedText().size());
  box_->setText(states_.front().text);
  historyCost_ = 0;
  for (std::size_t i = 1; i < states_.size(); ++i) {
    replayEdit(states_[i - 1].text, states_[i].text);
    historyCost_ += states_[i].cost;
  }
  if (selectionLength > 0) {
    box_->setSelection(selectionStart == cursor ? selectionStart + selectionLength : selectionStart,
                       selectionStart == cursor ? -selectionLength : selectionLength);
  } else {
    box_->setCursorPosition(cursor);
  }
}

void NumberBoxGuard::replayEdit(const QString& from, const QString& to) {
  const qsizetype prefix = commonPrefix(from, to);
  qsizetype suffix = 0;
  while (suffix < from.size() - prefix && suffix < to.size() - prefix &&
         from[from.size() - 1 - suffix] == to[to.size() - 1 - suffix]) {
    ++suffix;
  }
  const auto start = static_cast<int>(prefix);
  const auto removed = static_cast<int>(from.size() - prefix - suffix);
  const QString inserted = to.mid(prefix, to.size() - prefix - suffix);
  if (inserted.isEmpty()) {
    // As Backspace removes, so that undo groups it as it grouped the keys.
    box_->setCursorPosition(start + removed);
    for (int i = 0; i < removed; ++i) {
      box_->backspace();
    }
    return;
  }
  if (removed > 0) {
    box_->setSelection(start, removed);
  } else {
    box_->setCursorPosition(start);
  }
  box_->insert(inserted);
}

}  // namespace

bool toAsciiNumberText(QString& text, int* cursor) {
  bool changed = false;
  qsizetype kept = 0;
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char16_t c = text.at(i).unicode();
    char16_t mapped = c;
    if (c == 0 || c >= 0x80) {
      if (isRemoved(c)) {
        changed = true;
        if (cursor != nullptr && i < *cursor) {
          --*cursor;
        }
        continue;
      }
      if (const char16_t ascii = asciiFor(c); ascii != 0) {
        mapped = ascii;
      }
    }
    if (mapped != c || kept != i) {
      text[kept] = QChar(mapped);
      changed = true;
    }
    ++kept;
  }
  text.truncate(kept);
  return changed;
}

NumberInputValidator::NumberInputValidator(QObject* parent, std::function<void()> onRefused)
    : QValidator(parent), onRefused_(std::move(onRefused)) {}

QValidator::State NumberInputValidator::validate(QString& input, int& pos) const {
  toAsciiNumberText(input, &pos);
  if (input.size() > kMaxNumberTextLength) {
    if (onRefused_) {
      onRefused_();
    }
    return Invalid;
  }
  return Acceptable;
}

void NumberInputValidator::fixup(QString& input) const {
  toAsciiNumberText(input);
}

void setUpNumberBox(QLineEdit* box, std::function<void(QLineEdit*)> onRefused) {
  box->setValidator(new NumberInputValidator(box, [box, onRefused] {
    if (onRefused) {
      onRefused(box);
    }
  }));
  new NumberBoxGuard(box, std::move(onRefused));
}

}  // namespace vornell::ui
