/* The yardstick for the wheel: enumerates every six-number set of 1..49 and
 * writes each as a plain CR LF line, with nothing else. Usage: baseline FILE */
#include <stdio.h>
#include <string.h>

static char buffer[1 << 20];
static size_t used;

static void put_number(int n) {
    if (n >= 10) buffer[used++] = (char)('0' + n / 10);
    buffer[used++] = (char)('0' + n % 10);
}

int main(int argc, char **argv) {
    FILE *out = fopen(argc > 1 ? argv[1] : "baseline.out", "wb");
    if (!out) return 1;
    int s[6];
    for (s[0] = 1; s[0] <= 44; ++s[0])
    for (s[1] = s[0] + 1; s[1] <= 45; ++s[1])
    for (s[2] = s[1] + 1; s[2] <= 46; ++s[2])
    for (s[3] = s[2] + 1; s[3] <= 47; ++s[3])
    for (s[4] = s[3] + 1; s[4] <= 48; ++s[4])
    for (s[5] = s[4] + 1; s[5] <= 49; ++s[5]) {
        if (used + 64 > sizeof buffer) { fwrite(buffer, 1, used, out); used = 0; }
        for (int k = 0; k < 6; ++k) { put_number(s[k]); buffer[used++] = ' '; }
        buffer[used - 1] = '\r';
        buffer[used++] = '\n';
    }
    fwrite(buffer, 1, used, out);
    return fclose(out) != 0;
}
