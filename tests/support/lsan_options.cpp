// Linked into the test programs of the sanitizer build, so that they pass whether ctest
// or a developer starts them: LeakSanitizer takes its suppressions from the file named
// here, which lists leaks inside third-party libraries only.
//
// It also leaves __tls_get_addr alone. With this system's C library, the sanitizer
// runtime takes the size of a thread's dynamic TLS block from a header that library
// no longer writes; where a block happens to start 16 bytes past a page boundary it
// reads garbage and the leak check crashes at exit, after the test has passed.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" QB_LSAN_SUPPRESSIONS ":intercept_tls_get_addr=0";
}
