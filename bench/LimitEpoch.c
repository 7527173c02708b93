/* Compiles the peers' limit_c.c (path in NORV_LIMIT_C_SOURCE) with its main renamed, and
 * exposes its cycle builder on a fixed state made once. */
#define main limit_c_main
#include NORV_LIMIT_C_SOURCE
#undef main

size_t LimitEpoch(char *Out) {
    static State state;
    static int made;
    if (!made) {
        make_state(&state);
        made = 1;
    }
    CLOBBER(&state);
    return build_cycle(&state, Out);
}
