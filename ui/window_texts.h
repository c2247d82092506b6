// Everything the window says: captions, the formula, the About message, the
// names that assistive tools read, failures and notices.
#pragma once

#include <QString>

#include <string_view>

#include "vornell_version.h"

namespace vornell::ui::texts {

inline constexpr std::string_view kProgramName = "Vornell";
inline constexpr std::string_view kWindowTitle = "Vornell" VORNELL_VERSION_TEXT;
inline constexpr std::string_view kVersion = VORNELL_VERSION_TEXT;

// A label's caption without its closing colon names the box beside it.
inline constexpr std::string_view kAbout = "关于";
inline constexpr std::string_view kExit = "退出";
inline constexpr std::string_view kLinear = "线性渐变";
inline constexpr std::string_view kParabolic = "抛物线渐变";
inline constexpr std::string_view kLabelK1 = "里程K1：";
inline constexpr std::string_view kLabelW1 = "宽度或高程W1：";
inline constexpr std::string_view kLabelK2 = "里程K2：";
inline constexpr std::string_view kLabelW2 = "宽度或高程W2：";
inline constexpr std::string_view kLabelKx = "里程Kx：";
inline constexpr std::string_view kLabelWx = "宽度或高程Wx：";

// The text of the formula box: three lines, each ended by CR LF.
inline constexpr std::string_view kFormula =
    "线性:Wx=W1+(Kx-K1)/(K2-K1)*(W2-W1)。\r\n"
    "抛物线I=(Kx-K1)/(K2-K1),\r\n"
    "      Wx=W1+(3*I^2-2*I^3)*(W2-W1)。\r\n";

// The About message: how the window works, then the maker's credit.
inline constexpr std::string_view kAboutMessage =
    "修改参数后自动计算所求点宽度，TAB键在文本框之间切换。\r\n"
    "             ------Vornell " VORNELL_VERSION_TEXT "。";

// For assistive tools.
inline constexpr std::string_view kFormulaName = "计算公式";
inline constexpr std::string_view kResultNameSuffix = "（计算结果）";
inline constexpr std::string_view kResultCurrent = "计算结果，修改参数后自动更新";
inline constexpr std::string_view kResultStale =
    "不是当前参数的计算结果：上次计算的结果，当前参数没有算出新结果";

// A failed run or a refused edit: %1 names the box, %2 is the length limit.
inline constexpr std::string_view kOverflowInBox = "溢出：%1 的数值超出范围";
inline constexpr std::string_view kOverflowInStation = "溢出：%1 的数值超出可比较的里程范围";
inline constexpr std::string_view kOverflowInResult = "溢出：计算结果超出数值范围";
inline constexpr std::string_view kFloatingPointError = "浮点运算错误：计算结果超出数值范围";
inline constexpr std::string_view kInputTooLong =
    "输入过长：%1 最多容纳 %2 个字符，这次输入未被接受";
// Notices: %1 names the box, %2 is the number it read, written as a result is.
inline constexpr std::string_view kReadAs = "%1 读作 %2";
// Added for a station in chainage notation: %1 its plain form.
inline constexpr std::string_view kPlainStation = "。按 F2 或点击此处改为 %1";
// In the parabolic mode, %1 is the name of the box Kx.
inline constexpr std::string_view kOutsideStations =
    "%1 在 K1～K2 之外，渐变已经结束：所示为三次抛物线的外推值";
inline constexpr std::string_view kCloseReport = "关闭提示（Esc）";
inline constexpr std::string_view kHowToCloseReport = "按 Esc 键关闭提示，输入可以继续";

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace vornell::ui::texts
