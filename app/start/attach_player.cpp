// A build step: attach_player <program> <player> appends a container
// holding the player to the freshly linked program, so that the program
// carries the player it joins to slide-show packages. The program is
// written whole beside itself and renamed over the old file. It must not be
// stripped afterwards: stripping drops what follows the executable.
#include <cstdio>
#include <exception>

#include "gallery/slideshow/FListFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: attach_player <program> <player>\n", stderr);
    return 2;
  }
  const std::string program = argv[1];
  const std::string player = argv[2];
  TFListFile container;
  if (container.OpenRead(program)) {
    std::fprintf(stderr, "attach_player: %s carries a container already\n", program.c_str());
    return 1;
  }
  try {
    container.CreateReplacing(program, program);
    container.AddFile(player);
    if (container.Commit()) return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "attach_player: %s\n", error.what());
    return 1;
  }
  std::fprintf(stderr, "attach_player: cannot write %s\n", program.c_str());
  return 1;
}
