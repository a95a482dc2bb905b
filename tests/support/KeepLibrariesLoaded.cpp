// Linked into the test programs of the sanitizer builds only.
//
// LeakSanitizer looks for leaks when the process ends. An allocation made by
// a library that was unloaded before then is reported from "<unknown
// module>", which no suppression can name: GLX, for one, unloads Mesa's
// driver with the last GL context of a test window. Here no library is ever
// unloaded, so every leak report names the library it comes from, and
// lsan.supp excuses only those it lists.

extern "C" int dlclose(void*) {
  return 0;
}
