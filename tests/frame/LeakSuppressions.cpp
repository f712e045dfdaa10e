// LeakSanitizer reads this list at exit. Fontconfig, loaded by Qt to lay out
// text, keeps caches for the life of the process that it never frees.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
