/* Prints Windows' own mapping of every double-byte sequence of code page 936:
   "lead trail units first-unit second-unit" per line. */
#include <stdio.h>
#include <windows.h>

int main(void) {
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            unsigned char b[2] = {(unsigned char)lead, (unsigned char)trail};
            WCHAR w[4] = {0};
            int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, (char*)b, 2, w, 4);
            printf("%d %d %d %d %d\n", lead, trail, n, n > 0 ? w[0] : 0, n > 1 ? w[1] : 0);
        }
    }
    return 0;
}
