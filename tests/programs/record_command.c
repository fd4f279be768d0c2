/* record_command: stands in for the command interpreter (COMSPEC) in tests.
 * Appends its command line to the file named by PEXA_COMMAND_LOG and does
 * nothing else. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

int main(void) {
    const char *log = getenv("PEXA_COMMAND_LOG");
    FILE *f = log ? fopen(log, "a") : NULL;
    if (!f) return 1;
    fprintf(f, "%s\n", GetCommandLineA());
    return fclose(f) == 0 ? 0 : 1;
}
