// A tiny program built twice by the packaging tests, once with the project's
// hardening and once without, to show that check-hardening.sh tells the two
// apart. Its code has what the checks look for: a local array (a stack canary
// under -fstack-protector-strong) and a printf call (__printf_chk under
// _FORTIFY_SOURCE).
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  char buffer[64];
  const char* source = argc > 1 ? argv[1] : "vornell";
  std::size_t length = std::strlen(source);
  if (length >= sizeof buffer) {
    length = sizeof buffer - 1;
  }
  std::memcpy(buffer, source, length);
  buffer[length] = '\0';
  std::printf("%s: %zu\n", buffer, length);
  return 0;
}
