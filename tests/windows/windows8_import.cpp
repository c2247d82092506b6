// A program that imports one function Windows 7 lacks (it came with Windows 8):
// the Windows 7 import check must fail on it.
#include <windows.h>

int main() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<int>(now.dwLowDateTime & 1U);
}
