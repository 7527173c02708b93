// Leak checking in sanitizer builds: fontconfig keeps its configuration and font patterns for the
// life of the process and links them by encoded offsets rather than pointers, so LeakSanitizer
// takes them for leaks. The hook is read only when LeakSanitizer runs.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
