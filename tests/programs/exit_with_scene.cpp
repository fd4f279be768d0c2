// Returns from main with an animating scene window alive: its exit code must
// reach the caller.
#include "pexa.h"

int main() {
    void *w = CreateWind(" exit with scene", 200, 150);
    Box(NULL, -1, -1, -1, 1, 1, 1);
    Enable(NULL, PEXA_ENABLE_ANIMATION);
    ShowWind(w);
    RefreshWind(w);
    return 7;
}
