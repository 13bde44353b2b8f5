// Writes the system's folder icon tinted with a label colour, as the
// labeller makes it, and lists its images one a line as
// "index width height bit-depth", for a check by a reader outside our code.
// Usage: huecore_icon_sample OUT.ico
#include <windows.h>

#include <huecore/imaging.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: huecore_icon_sample OUT.ico\n");
        return 2;
    }
    try {
        char system[MAX_PATH + 1] = {};
        if (::GetSystemDirectoryA(system, sizeof system) == 0)
            throw winerror();
        const std::string shell32 = std::string(system) + "\\shell32.dll";
        Icon icon(shell32.c_str(), 3);
        icon.tint(0x00645AFF, 128);
        std::ostringstream bytes;
        icon.write(bytes);
        const std::string file = bytes.str();

        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out << file;
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
        for (int i = 0; i < icon.imageCount(); ++i) {
            const auto* entry = reinterpret_cast<const unsigned char*>(file.data() + 6 + 16 * i);
            const int width = entry[0] == 0 ? 256 : entry[0];
            const int height = entry[1] == 0 ? 256 : entry[1];
            const int bits = entry[6] | (entry[7] << 8);
            std::printf("%d %d %d %d\n", i + 1, width, height, bits);
        }
        return 0;
    } catch (const winerror& e) {
        std::fprintf(stderr, "error %lu: %s", e.code, e.what());
        return 1;
    }
}
