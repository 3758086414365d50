#pragma once

// For thread_local variables of code that ends up in a library loaded at run time (the link
// library and the converter). The initial-exec model reaches them at a fixed offset in the
// thread's static TLS (glibc keeps room there for a few small dlopen'ed ones) instead of through
// __tls_get_addr. That call is where LeakSanitizer records dynamic TLS blocks, and the runtime we
// test with misjudges the size of a block taken from its own heap, then crashes scanning it at
// exit, depending only on the memory layout.
#if defined(__ELF__)
#define QMV718_LOADED_LIBRARY_TLS [[gnu::tls_model("initial-exec")]]
#else
#define QMV718_LOADED_LIBRARY_TLS
#endif
