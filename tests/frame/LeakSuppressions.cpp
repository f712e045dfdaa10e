// LeakSanitizer reads this list at exit. Fontconfig, loaded by Qt to lay out
// text, keeps caches for the life of the process that it never frees; so
// does D-Bus, which Qt's X11 platform opens under Xvfb.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
