// The window tests start Qt, whose font configuration library keeps a few caches until the
// process ends; the leak checker is told to look past that library only.

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
