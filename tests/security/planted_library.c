/* A library planted beside the user's files under the names the program or
 * its libraries might look for. Loading it at all runs this constructor,
 * which leaves a marker file in the current folder. */
#include <stdio.h>

__attribute__((constructor)) static void MarkLoaded(void) {
    FILE* marker = fopen("planted-library-was-loaded", "w");
    if (marker != NULL) {
        fclose(marker);
    }
}
