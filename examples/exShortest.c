/* exShortest: the shortest Pexa program - a window, a box, wait for ESC.
 * It prints its own source (the short form, with the header's defaults). */
#include <stdio.h>

#include "pexa.h"

int main(void) {
    void *w = CreateWind(" Pexa Window: Shortest Pexa Example", 500, 350, 4, 240, 0, 0, 0x06CF0000);
    ResetConsole(" Pexa Console: Shortest Pexa Example", 4, 4, 61, 17, 3, 3);
    printf("\n This is the shortest possible C programm with Pexa:\n\n");
    printf("\n #include %cpexa.h%c", 34, 34);
    printf("\n void main()");
    printf("\n {  void *w=CreateWind(%cPexa Window: Shortest Pexa Example%c);", 34, 34);
    printf("\n    Box(NULL,-1,-1,-1, 1,1,1);");
    printf("\n    ShowWind(w);");
    printf("\n    WaitForPexa(KEYHIT,VK_ESCAPE);");
    printf("\n }\n\n\n\n");
    printf("\n Press ESC to terminate this example.");
    Box(NULL, -1, -1, -1, 1, 1, 1, GLU_OUTSIDE);
    ShowWind(w);
    WaitForPexa(KEYHIT, VK_ESCAPE);
    return 0;
}
