// ThreadSanitizer builds: the sound server's client library and SDL
// synchronise in ways the sanitizer cannot see (they are not instrumented);
// their internal reports say nothing about this code.
extern "C" const char* __tsan_default_suppressions();
extern "C" const char* __tsan_default_suppressions() {
  return "race:libpulse\nrace:libSDL2\n";
}
