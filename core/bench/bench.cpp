// Prints how fast the engine makes a label icon (loading, tinting and
// writing the system's folder icon, the tint's throughput), labels and
// clears folders, and reads labels.
// Usage: huecore_bench [ROUNDS]
#include <windows.h>

#include <huecore/folder.h>
#include <huecore/imaging.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

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

// Labels `count` new folders and clears them again, then reads one
// folder's label `reads` times, and prints the rates.
void benchLabelling(int count, int reads) {
    char temp[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof temp, temp);
    const std::string root =
        std::string(temp) + "huecore-bench-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(root.c_str(), nullptr);
    std::vector<std::string> folders;
    for (int i = 0; i < count; ++i) {
        folders.push_back(root + "\\folder" + std::to_string(i));
        ::CreateDirectoryA(folders.back().c_str(), nullptr);
    }
    FLabel label;
    label.type = LabelHot;

    int failed = 0;
    const auto t0 = Clock::now();
    for (const auto& folder : folders)
        failed += !FolderLabeller(folder.c_str()).setLabel(label);
    const auto t1 = Clock::now();
    for (const auto& folder : folders)
        failed += !FolderLabeller(folder.c_str()).clearLabel();
    const auto t2 = Clock::now();
    FLabel read;
    const FolderLabelReader reader(folders.front().c_str());
    FolderLabeller(folders.front().c_str()).setLabel(label);
    const auto t3 = Clock::now();
    for (int i = 0; i < reads; ++i)
        reader.getLabel(read);
    const auto t4 = Clock::now();
    FolderLabeller(folders.front().c_str()).clearLabel();

    std::printf("labelling: %d folders, %d failures\n", count, failed);
    std::printf("set    %8.1f folders per second\n", count / seconds(t1 - t0));
    std::printf("clear  %8.1f folders per second\n", count / seconds(t2 - t1));
    std::printf("set then clear %8.1f folders per second\n", count / seconds(t2 - t0));
    std::printf("getLabel %8.0f reads per second\n", reads / seconds(t4 - t3));

    for (const auto& folder : folders) {
        const std::string ini = folder + "\\desktop.ini";
        ::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(ini.c_str());
        ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::RemoveDirectoryA(folder.c_str());
    }
    ::RemoveDirectoryA(root.c_str());
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
        benchLabelling(rounds, 100 * rounds);
        return 0;
    } catch (const winerror& e) {
        std::fprintf(stderr, "error %lu: %s", e.code, e.what());
        return 1;
    }
}
