// The start-up baseline: a window of the same size as the calculator's, with
// the same number and kinds of controls, the same captions and the same
// geometry, but no behaviour at all (no signal is connected). The start-up
// benchmark compares the program against it.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QString>
#include <QWidget>

namespace {

// Twips (1/1440 inch) to logical pixels at 15 twips a pixel, each edge rounded
// on its own.
int px(int twips) {
  return (twips + 7) / 15;
}

QRect rect(int left, int top, int width, int height) {
  return QRect(px(left), px(top), px(left + width) - px(left), px(top + height) - px(top));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Vornell1.1"));
  window.setFixedSize(px(4380), px(1935));

  const struct {
    const char* text;
    QRect geometry;
  } labels[] = {
      {"里程K1：", rect(165, 120, 735, 255)}, {"宽度或高程W1：", rect(2085, 120, 1380, 255)},
      {"里程K2：", rect(165, 480, 735, 255)}, {"宽度或高程W2：", rect(2085, 480, 1335, 255)},
      {"里程Kx：", rect(165, 840, 735, 255)}, {"宽度或高程Wx：", rect(2085, 840, 1335, 255)},
  };
  for (const auto& l : labels) {
    auto* label = new QLabel(QString::fromUtf8(l.text), &window);
    label->setGeometry(l.geometry);
  }

  const QRect boxes[] = {rect(885, 120, 975, 270), rect(3285, 120, 975, 270),
                         rect(885, 480, 975, 270), rect(3285, 480, 975, 270),
                         rect(885, 840, 975, 270), rect(3285, 840, 975, 270)};
  for (const QRect& geometry : boxes) {
    auto* box = new QLineEdit(&window);
    box->setGeometry(geometry);
  }

  auto* formula = new QPlainTextEdit(&window);
  formula->setPlainText(
      QString::fromUtf8("线性:Wx=W1+(Kx-K1)/(K2-K1)*(W2-W1)。\n"
                        "抛物线I=(Kx-K1)/(K2-K1),\n"
                        "      Wx=W1+(3*I^2-2*I^3)*(W2-W1)。\n"));
  formula->setReadOnly(true);
  formula->setFocusPolicy(Qt::NoFocus);
  formula->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  formula->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  formula->setGeometry(rect(120, 1130, 3735, 615));

  auto* linear = new QRadioButton(QString::fromUtf8("线性渐变"), &window);
  linear->setGeometry(rect(120, 1680, 1095, 255));
  linear->setChecked(true);
  auto* parabolic = new QRadioButton(QString::fromUtf8("抛物线渐变"), &window);
  parabolic->setGeometry(rect(1560, 1680, 1335, 255));

  auto* about = new QPushButton(QString::fromUtf8("关于"), &window);
  about->setGeometry(rect(3720, 1150, 615, 375));
  auto* exit = new QPushButton(QString::fromUtf8("退出"), &window);
  exit->setGeometry(rect(3720, 1560, 615, 375));

  window.show();
  return QApplication::exec();
}
