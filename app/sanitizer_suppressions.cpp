// Fontconfig and D-Bus (loaded by Qt for fonts and the tray) keep buffers
// they never free; the leak checker would report them at exit. Only those
// libraries are excused: our own allocations stay checked.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
