// The verdict dialog: runs the checks when it starts and shows their results
// only when a requirement is not met.
#pragma once

#include <windows.h>

#include <hue/dialog.h>
#include <hue/handles.h>

namespace huereq {

class RequirementsDialog : public hue::Dialog {
public:
    explicit RequirementsDialog(HINSTANCE instance);
    ~RequirementsDialog() override;

protected:
    BOOL onInitDialog() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void showResults();
    bool resultColours(HDC dc, HWND control, INT_PTR& brush);

    bool allPassed = true;
    bool hasWarnings = false;
    bool endedUnseen = false;    // every check passed: the dialog is never shown
    HICON appIcon;               // a shared resource icon: not destroyed
    hue::UniqueIcon passedIcon;  // 129
    hue::UniqueIcon failedIcon;  // 130
    hue::UniqueIcon warningIcon; // 132
};

} // namespace huereq
