// The main window of Vornell: six labelled number boxes, the formula box, the
// two transition modes, and the About and Exit buttons. Every edit of an input
// box and every click on a mode recomputes the result box.
#pragma once

#include <QString>
#include <QWidget>

#include <concepts>
#include <utility>
#include <vector>

class QEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QPaintEvent;
class QShowEvent;
class QTextEdit;

namespace vornell {
class NumericError;
}

namespace vornell::ui {

class FailureReport;

// Any control with a text and a selection that starts at a character and runs
// for a number of characters.
template <typename Box>
concept SelectableTextBox = requires(Box& box) {
  { box.text().size() } -> std::convertible_to<qsizetype>;
  box.setSelection(0, 0);
};

class Form1 final : public QWidget {
 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The About message.
  static QString aboutText();

  // Selects the whole text of a box: the selection starts at character 0 and
  // runs for the length of the text, so typing replaces the old value.
  template <SelectableTextBox Box>
  static void 自动选择(Box& box) {
    box.setSelection(0, static_cast<int>(box.text().size()));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Recomputes the result box from the mode and the five input boxes.
  // Writes Text6 only when a result comes back; throws vornell::NumericError.
  void 计算();

  // What the Change and Click handlers do: run 计算 and report a failure in
  // the window, without letting it reach the event loop or take the focus.
  void recalculate();
  void reportError(const NumericError& error);
  void showAbout();
  void exitProgram();

  // The steps of building the window.
  void createControls();
  void stackControls();
  void setUpFormulaBox();
  void fitFont();
  void setUpNumberBoxes();
  void wireHandlers();
  void buildTabOrder();

  // Shows a number box from its first character, its whole text as tooltip.
  static void showFromStart(QLineEdit* box);
  // Marks whether the result box holds the answer for the boxes as they read.
  void setResultCurrent(bool current);

  bool handleNumberBoxEvent(QLineEdit* box, QEvent* event);
  bool handleOptionKey(QRadioButton* option, QEvent* event);
  bool isNumberBox(const QObject* object) const;
  bool isTabStop(const QWidget* control) const;

  QLineEdit* Text1;
  QLineEdit* Text2;
  QLineEdit* Text3;
  QLineEdit* Text4;
  QLineEdit* Text5;
  QLineEdit* Text6;
  QTextEdit* Text7;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QRadioButton* Option1;
  QRadioButton* Option2;
  QPushButton* Command1;
  QPushButton* Command2;
  FailureReport* report_ = nullptr;

  // The controls that can take the focus, with their TabIndex, in Tab order.
  std::vector<std::pair<int, QWidget*>> tabOrder_;
  // The box that took the focus by the mouse press now under way; its
  // release selects the whole text again unless the user dragged a selection.
  QLineEdit* selectOnRelease_ = nullptr;
  bool centred_ = false;
  bool resultCurrent_ = true;
};

}  // namespace vornell::ui
