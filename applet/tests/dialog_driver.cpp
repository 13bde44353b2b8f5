// Drives huecfg.exe from outside as a user does: starts it with each kind of
// command line, finds which dialog it shows and where, opens the About box
// from the button and the system menu, presses Help and the web page button,
// closes everything with the keyboard and reads the exit status.
// Usage: huecfg_dialog_driver PREFERENCES.bmp ABOUT.bmp
#include <windows.h>

#include <hue/handles.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char PREFERENCES[] = "Hueline Zeze Preferences";
const char ABOUT[] = "About Swatchbook Zeze";

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok)
        ++failures;
}

struct Process {
    hue::UniqueFile handle;
    DWORD id = 0;
};

Process start(const std::string& args) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = self;
    program = program.substr(0, program.find_last_of('\\') + 1) + "huecfg.exe";
    std::string command = "\"" + program + "\" " + args;
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

struct Search {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char title[128] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (owner == search->process && ::IsWindowVisible(window) &&
        search->title == std::string(title)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND find(const Process& process, const char* title) {
    Search search{process.id, title, nullptr};
    ::EnumWindows(match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits for a visible window of the process with the title.
HWND waitFor(const Process& process, const char* title, int ms = 10000) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (HWND window = find(process, title))
            return window;
        ::Sleep(50);
    }
    return nullptr;
}

bool gone(HWND window) {
    for (int waited = 0; waited < 5000; waited += 50) {
        if (!::IsWindow(window) || !::IsWindowVisible(window))
            return true;
        ::Sleep(50);
    }
    return false;
}

long exitStatus(const Process& process) {
    if (::WaitForSingleObject(process.handle.get(), 10000) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process.handle.get(), &code);
    return static_cast<long>(code);
}

bool centred(HWND window) {
    RECT box;
    ::GetWindowRect(window, &box);
    const int dx = (box.left + box.right) / 2 - ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int dy = (box.top + box.bottom) / 2 - ::GetSystemMetrics(SM_CYSCREEN) / 2;
    return std::abs(dx) <= 2 && std::abs(dy) <= 2;
}

void key(HWND window, WPARAM vk) {
    ::PostMessageA(window, WM_KEYDOWN, vk, 0);
}
void click(HWND dialog, int id) {
    ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void screenshot(const char* path) {
    ::Sleep(300);
    const hue::WindowDc screen;
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFOHEADER header{sizeof header, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const hue::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    const hue::UniqueBitmap section(::CreateDIBSection(
        screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        const hue::SelectGuard selected(memory.get(), section.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    auto* pixels = static_cast<BYTE*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels[i * 4 + 3] = 0xFF; // the screen is opaque
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + width * height * 4;
    if (std::FILE* out = std::fopen(path, "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        std::fwrite(bits, 4, static_cast<std::size_t>(width) * height, out);
        std::fclose(out);
    }
}

// The About box of the process, just opened: found and closed again.
void closeAbout(const Process& process, const std::string& how) {
    HWND about = waitFor(process, ABOUT, 5000);
    check(about != nullptr, "the About box opens " + how);
    if (about == nullptr)
        return;
    key(about, VK_ESCAPE);
    check(gone(about), "Escape closes the About box");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: huecfg_dialog_driver PREFERENCES.bmp ABOUT.bmp\n");
        return 2;
    }
    const char* preferencesShot = argv[1];
    const char* aboutShot = argv[2];
    bool first = true;

    // The preferences dialog, centred, for these command lines.
    for (const char* args : {"", "-N", "-n", "-N -n", "-N -x -r", "-Nn extra"}) {
        const std::string name = std::string("huecfg ") + args;
        const Process process = start(args);
        HWND preferences = waitFor(process, PREFERENCES);
        check(preferences != nullptr, name + ": the preferences dialog is shown");
        if (preferences == nullptr) {
            ::TerminateProcess(process.handle.get(), 99);
            continue;
        }
        check(centred(preferences), name + ": centred on the screen");
        check(find(process, ABOUT) == nullptr, name + ": no About box");
        if (first) {
            // Once: the screenshots, and everything the dialog offers.
            first = false;
            screenshot(preferencesShot);

            // The About box from the system menu's item and from the button.
            ::PostMessageA(preferences, WM_SYSCOMMAND, 16, 0);
            closeAbout(process, "from the system menu");
            click(preferences, 1005);
            HWND about = waitFor(process, ABOUT, 5000);
            check(about != nullptr, "the About box opens from About...");
            if (about != nullptr) {
                screenshot(aboutShot);
                // No browser here: opening the page must do no harm.
                click(about, 1007);
                ::Sleep(1000);
                check(::IsWindowVisible(about) != FALSE,
                      "the web page button leaves the About box open");
                click(about, IDOK);
                check(gone(about), "OK closes the About box");
            }
            // No help file here: Help and F1 must do no harm.
            click(preferences, 57670);
            ::PostMessageA(preferences, WM_KEYDOWN, VK_F1, 0);
            ::Sleep(1000);
            check(::IsWindowVisible(preferences) != FALSE, "Help leaves the dialog as it was");
        }
        key(preferences, VK_RETURN);
        check(exitStatus(process) == 0, name + ": Enter closes it, exit status 0");
    }

    // The About box alone for -r, whatever comes with it.
    for (const char* args : {"-r", "-r -N", "-n -r", "-Nr", "-rn -N"}) {
        const std::string name = std::string("huecfg ") + args;
        const Process process = start(args);
        HWND about = waitFor(process, ABOUT);
        check(about != nullptr, name + ": the About box is shown");
        ::Sleep(300);
        check(find(process, PREFERENCES) == nullptr, name + ": no preferences dialog");
        if (about != nullptr)
            key(about, VK_ESCAPE);
        check(exitStatus(process) == 0, name + ": ends when the About box closes");
    }
    std::printf("%d failed checks\n", failures);
    return failures == 0 ? 0 : 1;
}
