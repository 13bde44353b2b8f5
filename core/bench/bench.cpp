// Prints how fast the engine makes a label icon: loading, tinting and
// writing the system's folder icon, and the tint's throughput.
// Usage: huecore_bench [ROUNDS]
#include <windows.h>

#include <huecore/imaging.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Pixels of all images, from the written file's directory.
long long pixelCount(const std::string& file, int images) {
    long long pixels = 0;
    for (int i = 0; i < images; ++i) {
        const auto* entry = reinterpret_cast<const unsigned char*>(file.data() + 6 + 16 * i);
        pixels += (entry[0] == 0 ? 256 : entry[0]) * (entry[1] == 0 ? 256 : entry[1]);
    }
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: huecore_bench [ROUNDS]\n");
        return 2;
    }
    char system[MAX_PATH + 1] = {};
    ::GetSystemDirectoryA(system, sizeof system);
    const std::string shell32 = std::string(system) + "\\shell32.dll";

    try {
        Clock::duration load{}, tint{}, write{};
        long long pixels = 0;
        int images = 0;
        for (int round = 0; round < rounds; ++round) {
            const auto t0 = Clock::now();
            Icon icon(shell32.c_str(), 3);
            const auto t1 = Clock::now();
            icon.tint(0x00645AFF, 128);
            const auto t2 = Clock::now();
            std::ostringstream out;
            icon.write(out);
            const auto t3 = Clock::now();
            load += t1 - t0;
            tint += t2 - t1;
            write += t3 - t2;
            images = icon.imageCount();
            pixels = pixelCount(out.str(), images);
        }
        std::printf("system folder icon: %d images, %lld pixels, %d rounds\n", images, pixels,
                    rounds);
        std::printf("load   %8.3f ms per icon\n", 1000 * seconds(load) / rounds);
        std::printf("tint   %8.3f ms per icon\n", 1000 * seconds(tint) / rounds);
        std::printf("write  %8.3f ms per icon\n", 1000 * seconds(write) / rounds);
        std::printf("total  %8.3f ms per icon\n", 1000 * seconds(load + tint + write) / rounds);
        std::printf("tint throughput %.0f pixels per second\n",
                    static_cast<double>(pixels) * rounds / seconds(tint));
        return 0;
    } catch (const winerror& e) {
        std::fprintf(stderr, "error %lu: %s", e.code, e.what());
        return 1;
    }
}
