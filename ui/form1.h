// The main window of Vornell: six labelled number boxes, the formula box, the
// two transition modes, and the About and Exit buttons. Every edit of an input
// box and every click on a mode recomputes the result box.
#pragma once

#include <QWidget>

#include <string_view>
#include <vector>

class QLabel;
class QPushButton;
class QTextEdit;

namespace vornell {
class NumericError;
}

namespace vornell::ui {

class FailureReport;
class NoticeBar;
class NumberBox;
class OptionButton;

class Form1 final : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Selects the whole text of a box, so typing replaces the old value: any
  // control with a text and a selection from a character for a length.
  template <typename Box>
  requires requires(Box& box) { box.setSelection(0, int(box.text().size())); }
  static void 自动选择(Box& box) { box.setSelection(0, static_cast<int>(box.text().size())); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The desktop's font changed: the layout follows it.
  void changeEvent(QEvent* event) override;

 private:
  // Recomputes the result box from the mode and the five input boxes.
  // Writes Text6 only when a result comes back, and says whether it did;
  // throws vornell::NumericError.
  bool 计算();

  // What the Change and Click handlers do: run 计算 and report a failure in
  // the window, without letting it reach the event loop or take the focus;
  // then tell what the boxes read when it is not what they show, the box
  // `edited` (if any) first.
  void recalculate(const NumberBox* edited);
  void reportError(const NumericError& error);
  void updateNotice(const NumberBox* edited, bool resultWritten);
  void showAbout();
  void exitProgram();

  template <typename Control>
  Control* add(std::string_view name);
  void createControls();
  void setUpFormulaBox();
  void layOut();
  qreal layFormulaLines();
  void wireHandlers();
  void buildTabOrder();

  // Marks whether the result box holds the answer for the boxes as they read.
  void setResultCurrent(bool current);

  NumberBox* Text1;
  NumberBox* Text2;
  NumberBox* Text3;
  NumberBox* Text4;
  NumberBox* Text5;
  NumberBox* Text6;
  QTextEdit* Text7;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  OptionButton* Option1;
  OptionButton* Option2;
  QPushButton* Command1;
  QPushButton* Command2;
  FailureReport* report_ = nullptr;
  NoticeBar* notice_ = nullptr;

  // Every control, in the order of the control table.
  std::vector<QWidget*> controls_;
};

}  // namespace vornell::ui
