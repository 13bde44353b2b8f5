#include "huetest/gui_driver.h"

#include <algorithm>
#include <cstdio>

namespace huetest {

namespace {

int failures = 0;

struct Search {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char title[128] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (owner == search->process && ::IsWindowVisible(window) &&
        std::string(title) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok)
        ++failures;
}

int failedChecks() {
    return failures;
}

Process startBeside(const char* program, const std::string& args) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    path = path.substr(0, path.find_last_of('\\') + 1) + program;
    std::string command = "\"" + path + "\" " + args;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Process process;
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &info)) {
        ::CloseHandle(info.hThread);
        process.handle.reset(info.hProcess);
        process.id = info.dwProcessId;
    }
    return process;
}

HWND findWindow(const Process& process, const char* title) {
    Search search{process.id, title, nullptr};
    ::EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(const Process& process, const char* title, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND window = findWindow(process, title))
            return window;
        if (::WaitForSingleObject(process.handle.get(), 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

long exitStatus(const Process& process, DWORD ms) {
    if (::WaitForSingleObject(process.handle.get(), ms) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process.handle.get(), &code);
    return static_cast<long>(code);
}

void Screen::capture() {
    const hue::WindowDc screen;
    width_ = ::GetSystemMetrics(SM_CXSCREEN);
    height_ = ::GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const hue::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    const hue::UniqueBitmap section(
        ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !section)
        return;
    {
        const hue::SelectGuard selected(memory.get(), section.get());
        ::BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    const auto* pixels = static_cast<const BYTE*>(bits);
    bgra_.assign(pixels, pixels + static_cast<std::size_t>(width_) * height_ * 4);
}

bool Screen::has(HWND window, COLORREF colour) const {
    RECT r;
    ::GetWindowRect(window, &r);
    for (LONG y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height_); ++y) {
        for (LONG x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width_); ++x) {
            const BYTE* p = &bgra_[(static_cast<std::size_t>(y) * width_ + x) * 4];
            if (RGB(p[2], p[1], p[0]) == colour)
                return true;
        }
    }
    return false;
}

void Screen::save(const char* path) const {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{sizeof header, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bgra_.size());
    // The screen has no transparency: the fourth byte is opaque.
    std::vector<BYTE> opaque = bgra_;
    for (std::size_t i = 3; i < opaque.size(); i += 4)
        opaque[i] = 0xFF;
    if (std::FILE* out = std::fopen(path, "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        std::fwrite(opaque.data(), 1, opaque.size(), out);
        std::fclose(out);
    }
}

} // namespace huetest
