// Fontconfig (loaded by Qt to find fonts) keeps caches it never frees; the
// leak checker would report them at exit. Only those libraries are
// excused: our own allocations stay checked.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
