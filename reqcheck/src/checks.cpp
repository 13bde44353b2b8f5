#include "checks.h"

#include <hue/handles.h>

#include "run_log.h"

#include <new>

namespace huereq {

CheckRow checkTable[CHECK_COUNT] = {
    {nullptr, false, 1003, 1005}, // Internet Explorer
    {nullptr, false, 1008, 1009}, // display colours
};

bool InternetExplorerCheck::run() {
    const hue::UniqueModule shlwapi(::LoadLibraryA("shlwapi.dll"));
    if (!shlwapi)
        return false;
    return ::GetProcAddress(shlwapi.get(), "PathMakeSystemFolderA") != nullptr;
}

int countDisplayColors() {
    const hue::UniqueMemoryDc display(::CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    if (!display)
        return 0;
    if (::GetDeviceCaps(display.get(), RASTERCAPS) & RC_PALETTE)
        return ::GetDeviceCaps(display.get(), SIZEPALETTE);
    return ::GetDeviceCaps(display.get(), NUMCOLORS);
}

bool colorCountPasses(int count) {
    return count > 256 || count < 0;
}

bool ColorDepthCheck::run() {
    const int count = countDisplayColors();
    if (RunLog* log = RunLog::instance())
        log->print("Number of colors: %d", count);
    return colorCountPasses(count);
}

void releaseChecks() {
    for (CheckRow& row : checkTable)
        row.check.reset();
}

bool runChecks(bool& hasWarnings) {
    bool result = true;
    try {
        releaseChecks();
        checkTable[0].check = std::make_unique<InternetExplorerCheck>();
        checkTable[1].check = std::make_unique<ColorDepthCheck>();
        for (CheckRow& row : checkTable) {
            row.passed = row.check->run();
            if (!row.passed) {
                if (row.check->isWarningOnly())
                    hasWarnings = true;
                else
                    result = false;
            }
        }
    } catch (const std::exception&) {
        // Checking stops; what was found so far decides.
    }
    return result;
}

} // namespace huereq
