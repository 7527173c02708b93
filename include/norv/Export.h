#pragma once
// NORV_API: marks what libNorvGPSSimPack exports; everything else in the library is hidden.
// The library is built with -fvisibility=hidden, so a class or function of a public header is
// reachable from a program only when it carries this mark.

#if defined(__GNUC__) || defined(__clang__)
#define NORV_API __attribute__((visibility("default")))
#else
#define NORV_API
#endif
