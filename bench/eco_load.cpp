// Time to load the opening table. Usage: eco_load <path of ECO.TXT>
#include <chrono>
#include <cstdio>

#include "kessrin.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: eco_load <ECO.TXT>\n");
        return 2;
    }
    KessrinInit();
    constexpr int Rounds = 10;
    double best = 1e9;
    int entries = 0;
    for (int i = 0; i < Rounds; ++i) {
        const auto started = std::chrono::steady_clock::now();
        entries = KessrinLoadEco(argv[1], 2048);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
        if (i == 0)
            std::printf("first load: %.2f ms\n", ms);
        best = ms < best ? ms : best;
        KessrinUnloadEco();
    }
    std::printf("entries %d\nbest of %d loads: %.2f ms\n", entries, Rounds, best);
    return entries > 0 ? 0 : 1;
}
