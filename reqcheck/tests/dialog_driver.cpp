// Drives huereq.exe from outside, as the installer and a user do: starts it,
// finds its window, reads its controls and the colours on the screen,
// presses its buttons and keys and reads its exit status.
// Usage: huereq_dialog_driver STATE SCREENSHOT.bmp
//   STATE: passed | colour | ie | ie-colour (what the environment makes fail)
#include <windows.h>

#include <huetest/gui_driver.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using huetest::check;
using huetest::exitStatus;
using huetest::Process;
using huetest::Screen;

namespace {

const char TITLE[] = "Requirement check";

std::string text(HWND dialog, int id) {
    char buffer[512] = {};
    ::GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

// The result icons, told apart by their colours on the screen.
enum class Icon { Tick, Cross, Warning };
const COLORREF TICK_GREEN = RGB(0, 128, 0);
const COLORREF CROSS_RED = RGB(128, 0, 0);
const COLORREF WARNING_YELLOW = RGB(255, 255, 0);

void checkIcon(const Screen& screen, HWND control, Icon expected, const std::string& what) {
    const bool green = screen.has(control, TICK_GREEN);
    const bool red = screen.has(control, CROSS_RED);
    const bool yellow = screen.has(control, WARNING_YELLOW);
    const bool ok = expected == Icon::Tick    ? green && !red && !yellow
                    : expected == Icon::Cross ? red && !green && !yellow
                                              : yellow && !green;
    check(ok, what);
}

struct Row {
    int iconId, resultId;
    bool passed;
    Icon icon;
};

struct State {
    Row rows[2];
    Icon verdictIcon;
    const char* verdict;
    bool continueEnabled;
};

const char CANNOT[] = "This software cannot be installed on your computer.";
const char MAY[] = "You may continue installing the software, but it may not work as expected "
                   "until you correct the above problems.";

// Reads the shown dialog and compares it with the state.
void inspect(HWND dialog, const State& state, const char* screenshot) {
    ::Sleep(300); // let it paint
    Screen screen;
    screen.capture();
    if (screenshot != nullptr)
        screen.save(screenshot);
    const char* names[] = {"Internet Explorer row", "colour row"};
    for (int i = 0; i < 2; ++i) {
        const Row& row = state.rows[i];
        const std::string name = names[i];
        check(text(dialog, row.resultId) == (row.passed ? "Passed" : "Failed"),
              name + " text is " + (row.passed ? "Passed" : "Failed"));
        check(screen.has(::GetDlgItem(dialog, row.resultId), row.passed ? TICK_GREEN : CROSS_RED),
              name + " text is " + (row.passed ? "dark green" : "dark red"));
        checkIcon(screen, ::GetDlgItem(dialog, row.iconId), row.icon, name + " icon");
    }
    check(text(dialog, 1010) == state.verdict, std::string("verdict text: ") + state.verdict);
    checkIcon(screen, ::GetDlgItem(dialog, 1012), state.verdictIcon, "verdict icon");
    check((::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE) == state.continueEnabled,
          std::string("Continue installation is ") +
              (state.continueEnabled ? "enabled" : "disabled"));
    check(text(dialog, IDOK) == "Continue installation" && text(dialog, IDCANCEL) == "Abort",
          "button texts");
}

void press(HWND dialog, const std::string& action) {
    if (action == "continue by mouse")
        ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    else if (action == "abort by mouse")
        ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    else if (action == "Enter")
        ::PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
    else if (action == "Escape")
        ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    else if (action == "close box")
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

struct Step {
    const char* action;
    long status; // -1: the program must still run
};

// One run of the program per sequence of steps.
void run(const State& state, const std::vector<Step>& steps, const char* screenshot) {
    const Process process = huetest::startBeside("huereq.exe");
    check(process.handle.get() != nullptr, "huereq.exe starts");
    HWND dialog = huetest::waitForWindow(process, TITLE);
    check(dialog != nullptr, "its window appears");
    if (dialog == nullptr) {
        ::TerminateProcess(process.handle.get(), 99);
        return;
    }
    inspect(dialog, state, screenshot);
    std::string done;
    for (const Step& step : steps) {
        press(dialog, step.action);
        done += std::string(done.empty() ? "" : ", then ") + step.action;
        const long status = exitStatus(process, step.status < 0 ? 1000 : 10000);
        check(status == step.status, done + ": exit status " + std::to_string(status));
        if (status != -1)
            break;
    }
    if (exitStatus(process, 0) == -1)
        ::TerminateProcess(process.handle.get(), 99);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: huereq_dialog_driver passed|colour|ie|ie-colour OUT.bmp\n");
        return 2;
    }
    const std::string state = argv[1];
    const char* screenshot = argv[2];

    if (state == "passed") {
        const Process process = huetest::startBeside("huereq.exe");
        check(huetest::waitForWindow(process, TITLE) == nullptr, "no window is shown");
        check(exitStatus(process, 10000) == 0, "exit status 0");
    } else if (state == "colour") {
        const State shown{{{1003, 1005, true, Icon::Tick}, {1008, 1009, false, Icon::Warning}},
                          Icon::Warning,
                          MAY,
                          true};
        run(shown, {{"continue by mouse", 0}}, screenshot);
        for (const char* action : {"Enter"})
            run(shown, {{action, 0}}, nullptr);
        for (const char* action : {"abort by mouse", "Escape", "close box"})
            run(shown, {{action, 1}}, nullptr);
    } else if (state == "ie" || state == "ie-colour") {
        const bool colourFails = state == "ie-colour";
        const State shown{{{1003, 1005, false, Icon::Cross},
                           {1008, 1009, !colourFails, colourFails ? Icon::Warning : Icon::Tick}},
                          Icon::Cross,
                          CANNOT,
                          false};
        // Enter does not continue past the disabled default button. (A
        // mouse cannot press a disabled button: no step for that.)
        run(shown, {{"Enter", -1}, {"abort by mouse", 1}}, screenshot);
        for (const char* action : {"Escape", "close box"})
            run(shown, {{action, 1}}, nullptr);
    } else {
        std::fprintf(stderr, "unknown state %s\n", state.c_str());
        return 2;
    }
    std::printf("%d failed checks\n", huetest::failedChecks());
    return huetest::failedChecks() == 0 ? 0 : 1;
}
