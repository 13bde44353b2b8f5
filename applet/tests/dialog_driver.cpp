// Drives huecfg.exe from outside as a user does: starts it with each kind of
// command line, finds which dialog it shows and where, opens the About box
// from the button and the system menu, presses Help and the web page button,
// closes everything with the keyboard and reads the exit status.
// Usage: huecfg_dialog_driver PREFERENCES.bmp ABOUT.bmp
#include <windows.h>

#include <huetest/gui_driver.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char PREFERENCES[] = "Hueline Zeze Preferences";
const char ABOUT[] = "About Swatchbook Zeze";

using huetest::check;
using huetest::exitStatus;
using huetest::findWindow;
using huetest::Process;
using huetest::waitForWindow;

bool gone(HWND window) {
    for (int waited = 0; waited < 5000; waited += 50) {
        if (!::IsWindow(window) || !::IsWindowVisible(window))
            return true;
        ::Sleep(50);
    }
    return false;
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
    ::Sleep(300); // let it paint
    huetest::Screen screen;
    screen.capture();
    screen.save(path);
}

// The About box of the process, just opened: found and closed again.
void closeAbout(const Process& process, const std::string& how) {
    HWND about = waitForWindow(process, ABOUT, 5000);
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
        const Process process = huetest::startBeside("huecfg.exe", args);
        HWND preferences = waitForWindow(process, PREFERENCES);
        check(preferences != nullptr, name + ": the preferences dialog is shown");
        if (preferences == nullptr) {
            ::TerminateProcess(process.handle.get(), 99);
            continue;
        }
        check(centred(preferences), name + ": centred on the screen");
        check(findWindow(process, ABOUT) == nullptr, name + ": no About box");
        if (first) {
            // Once: the screenshots, and everything the dialog offers.
            first = false;
            screenshot(preferencesShot);

            // The About box from the system menu's item and from the button.
            ::PostMessageA(preferences, WM_SYSCOMMAND, 16, 0);
            closeAbout(process, "from the system menu");
            click(preferences, 1005);
            HWND about = waitForWindow(process, ABOUT, 5000);
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
        check(exitStatus(process, 10000) == 0, name + ": Enter closes it, exit status 0");
    }

    // The About box alone for -r, whatever comes with it.
    for (const char* args : {"-r", "-r -N", "-n -r", "-Nr", "-rn -N"}) {
        const std::string name = std::string("huecfg ") + args;
        const Process process = huetest::startBeside("huecfg.exe", args);
        HWND about = waitForWindow(process, ABOUT);
        check(about != nullptr, name + ": the About box is shown");
        ::Sleep(300);
        check(findWindow(process, PREFERENCES) == nullptr, name + ": no preferences dialog");
        if (about != nullptr)
            key(about, VK_ESCAPE);
        check(exitStatus(process, 10000) == 0, name + ": ends when the About box closes");
    }
    std::printf("%d failed checks\n", huetest::failedChecks());
    return huetest::failedChecks() == 0 ? 0 : 1;
}
