// The two requirements of the product and the table that runs them.
#pragma once

#include <windows.h>

#include <memory>

namespace huereq {

class RequirementCheck {
public:
    virtual ~RequirementCheck() = default;
    // True when the requirement is met.
    virtual bool run() = 0;
    // True when a failure only warns (the user may still continue).
    virtual bool isWarningOnly() const = 0;
};

// Internet Explorer 4 or newer: shlwapi.dll loads and exports
// PathMakeSystemFolderA. A failure forbids the installation.
class InternetExplorerCheck : public RequirementCheck {
public:
    bool run() override;
    bool isWarningOnly() const override { return false; }
};

// A display of more than 256 colours. A failure only warns.
class ColorDepthCheck : public RequirementCheck {
public:
    bool run() override;
    bool isWarningOnly() const override { return true; }
};

// The display's colour count: the palette size on a palette device, else
// NUMCOLORS (-1 for more than 8 bits per pixel); 0 when the display cannot
// be queried.
int countDisplayColors();
// Whether a colour count meets the requirement: more than 256, or negative.
bool colorCountPasses(int count);

struct CheckRow {
    std::unique_ptr<RequirementCheck> check;
    bool passed = false;
    int iconId;
    int resultId;
};

constexpr int CHECK_COUNT = 2;
// The check table, in the order the checks run and the dialog shows them.
extern CheckRow checkTable[CHECK_COUNT];

// Makes and runs every check; returns false when a check that forbids the
// installation failed, and sets hasWarnings when a warning-only one did.
// An error stops the checking: the rows and flags as they stand decide.
bool runChecks(bool& hasWarnings);
// Destroys the checks of the table.
void releaseChecks();

} // namespace huereq
