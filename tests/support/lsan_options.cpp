// Linked into the test programs of the sanitizer build, so that they pass whether ctest
// or a developer starts them: LeakSanitizer takes its suppressions from the file named
// here, which lists leaks inside third-party libraries only.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" QB_LSAN_SUPPRESSIONS;
}
