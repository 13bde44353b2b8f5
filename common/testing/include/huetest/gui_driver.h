// Driving a dialog program from outside, as an installer or a user does:
// start it, find its windows, read the screen, read its exit status.
#pragma once

#include <windows.h>

#include <hue/handles.h>

#include <string>
#include <vector>

namespace huetest {

// Prints one check ("ok" or "FAIL") and counts the failures.
void check(bool ok, const std::string& what);
int failedChecks();

struct Process {
    hue::UniqueFile handle;
    DWORD id = 0;
};

// Starts the program of that name lying beside this one, with arguments.
Process startBeside(const char* program, const std::string& args = "");
// A visible top-level window of the process with that title, or null.
HWND findWindow(const Process& process, const char* title);
// Waits for such a window; null when the process ended first or none came.
HWND waitForWindow(const Process& process, const char* title, DWORD ms = 10000);
// The exit status, or -1 when the process still runs after ms.
long exitStatus(const Process& process, DWORD ms);

// The screen as 32-bit pixels.
class Screen {
public:
    void capture();
    // Whether a pixel of the colour lies in the window's rectangle.
    bool has(HWND window, COLORREF colour) const;
    // Writes the capture as a BMP file (opaque).
    void save(const char* path) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<BYTE> bgra_;
};

} // namespace huetest
