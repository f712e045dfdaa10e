// Exports the functions the name-library loader looks for; each release
// function appends its name to the file named by NAMELIB_LOG.
#include <cstdlib>
#include <fstream>

namespace {

void Note(const char* what) {
  if (const char* log = std::getenv("NAMELIB_LOG")) {
    std::ofstream out(log, std::ios::binary | std::ios::app);
    out << what << '\n';
  }
}

}  // namespace

extern "C" {
int TosmikaLibVersion() { return 1; }
int JeTosmika() { return 0; }
void ReleaseTosmika() { Note("ReleaseTosmika"); }
void ReleaseVelnara() { Note("ReleaseVelnara"); }
}
