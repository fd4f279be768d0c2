/* link_check: a C program without the C runtime, linked with lld-link against
 * the .lib import library of the distribution. Exits 0 when the library's
 * helpers answer as documented and a scene window opens and closes. */
#include "pexa.h"

int start(void) {
    float v[3] = {3, 0, 4};
    unsigned first, again;
    void *w;
    int ok;
    srandstd(7);
    first = randstd(1000);
    srandstd(7);
    again = randstd(1000);
    Normalize(v);
    ok = first == again && v[0] > 0.59f && v[0] < 0.61f && v[2] > 0.79f && v[2] < 0.81f &&
         GIFGetVersion() == 512;
    w = CreateWind(" link check", 200, 200, 4, 240, NULL, 0, WS_OVERLAPPEDWINDOW);
    ok = ok && w && Box(NULL, -1, -1, -1, 1, 1, 1, GLU_OUTSIDE) && ShowWind(w) && DeleteWind(w);
    ExitProcess(ok ? 0 : 1);
    return 0;
}
