// Tests that start Qt load system libraries (D-Bus, fontconfig) that keep caches until the
// process ends, the HEVC encoder the HEIF tests make files with keeps one block for good, and the
// AV1 decoder keeps the buffer of a damaged picture it refused (tests/support/lsan.supp says why);
// the leak checker is told to look past those libraries only. Built into every
// test program, so the tests run clean however they are started.

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libfontconfig.so\n"
           "leak:libx265.so\n"
           "leak:libdav1d.so\n";
}
