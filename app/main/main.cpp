#include <cstdio>

int main() {
  std::puts("Quillmarsh: a photo browser, EXIF editor and web gallery maker.");
  return 0;
}
