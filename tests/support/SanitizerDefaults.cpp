// The AddressSanitizer settings every test program of the sanitizer tree starts from; ASAN_OPTIONS
// in the environment still adds to them and overrides them.

// The runtime's guess at where a thread's run-time loaded TLS block begins misreads a block that
// happens to start 16 bytes into a page: it takes the two words before it for an old C library's
// header, and the leak check at exit then scans a made-up range and its tracer crashes (now and
// then, after a test that passed). The blocks are ordinary heap blocks that each thread's own TLS
// points to, so the leak check still sees everything without the guess.
extern "C" const char* __asan_default_options() // NOLINT(bugprone-reserved-identifier): the runtime's name
{
    return "intercept_tls_get_addr=0";
}
