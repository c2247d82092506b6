// The main window: six labelled number boxes, the formula box, the two
// transition modes, About and Exit. Every edit and mode click recomputes.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vornell {
struct Calculation;
struct Failure;
}  // namespace vornell

namespace vornell::ui {

struct Message;
class MessageBar;
class NumberBox;
class OptionButton;

class Form1 final : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

 protected:
  // The desktop's font changed: the layout follows it.
  void changeEvent(QEvent* event) override;

 private:
  // Recomputes the result box from the mode and the five input boxes: writes
  // Text6 when the run gives a result, and returns what the run found.
  Calculation 计算();
  // What the Change and Click handlers do: 计算, then tell what the run found
  // (about the box `edited` first).
  void recalculate(const NumberBox* edited);
  // Selects the whole text of a box, so typing replaces the old value.
  void 自动选择(QLineEdit& box);

  // The run's failure; else what a box read when it is not what it shows;
  // else a parabolic result beyond K1..K2.
  std::optional<Message> messageOf(const Calculation& run, const NumberBox* edited) const;
  QString failureText(const Failure& failure) const;
  void setResultCurrent(bool current);
  void showAbout();

  template <typename Control>
  Control* add(std::string_view name);
  void createControls();
  void wireHandlers();
  void buildTabOrder();
  void layOut();
  qreal scaleNeeded();

  NumberBox* Text1;
  NumberBox* Text2;
  NumberBox* Text3;
  NumberBox* Text4;
  NumberBox* Text5;
  NumberBox* Text6;
  QLabel* Text7;
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
  std::array<NumberBox*, 5> inputs_{};  // K1, W1, K2, W2, Kx
  MessageBar* bar_ = nullptr;
  std::vector<QWidget*> controls_;  // in the order of the control table
};

}  // namespace vornell::ui
