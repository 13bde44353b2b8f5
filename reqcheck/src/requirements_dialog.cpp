#include "requirements_dialog.h"

#include "checks.h"
#include "resource.h"

#include <string>

namespace huereq {

namespace {

constexpr COLORREF PASSED_COLOUR = RGB(0, 128, 0);
constexpr COLORREF FAILED_COLOUR = RGB(128, 0, 0);

HICON loadResultIcon(HINSTANCE instance, int id) {
    return static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

} // namespace

RequirementsDialog::RequirementsDialog(HINSTANCE instance)
    : hue::Dialog(instance, IDD_REQUIREMENTS),
      appIcon(::LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP))),
      passedIcon(loadResultIcon(instance, IDI_PASSED_TICK)),
      failedIcon(loadResultIcon(instance, IDI_FAILED_CROSS)),
      warningIcon(loadResultIcon(instance, IDI_WARNING_SIGN)) {}

RequirementsDialog::~RequirementsDialog() {
    releaseChecks();
}

BOOL RequirementsDialog::onInitDialog() {
    allPassed = runChecks(hasWarnings);
    if (allPassed && !hasWarnings) {
        // Nothing to show. The dialog manager may still show a template
        // marked visible after this message: endedUnseen keeps it hidden.
        endedUnseen = true;
        endDialog(IDOK);
        return TRUE;
    }
    setApplicationIcon(appIcon);
    showResults();
    return TRUE;
}

void RequirementsDialog::showResults() {
    const std::string passed = loadText(IDS_PASSED);
    const std::string failed = loadText(IDS_FAILED);
    for (const CheckRow& row : checkTable) {
        ::SetDlgItemTextA(window(), row.resultId, row.passed ? passed.c_str() : failed.c_str());
        HWND icon = item(row.iconId);
        if (icon == nullptr)
            continue;
        HICON shown = row.passed                                  ? passedIcon.get()
                      : (row.check && row.check->isWarningOnly()) ? warningIcon.get()
                                                                  : failedIcon.get();
        ::SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(shown), 0);
    }
    const bool forbidden = !allPassed;
    ::SendMessageA(item(IDC_VERDICT_ICON), STM_SETICON,
                   reinterpret_cast<WPARAM>(forbidden ? failedIcon.get() : warningIcon.get()), 0);
    ::SetDlgItemTextA(window(), IDC_VERDICT_TEXT,
                      loadText(forbidden ? IDS_CANNOT_INSTALL : IDS_MAY_CONTINUE).c_str());
    ::EnableWindow(item(IDOK), allPassed);
}

bool RequirementsDialog::resultColours(HDC dc, HWND control, INT_PTR& brush) {
    const int id = ::GetDlgCtrlID(control);
    for (const CheckRow& row : checkTable) {
        if (row.resultId != id)
            continue;
        // The dialog's default answer (its face colour and brush), with the
        // row's result colour for the text.
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::SetTextColor(dc, row.passed ? PASSED_COLOUR : FAILED_COLOUR);
        brush = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    return false; // every other control keeps its default colours
}

bool RequirementsDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_WINDOWPOSCHANGING:
        if (endedUnseen)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
        return false;
    case WM_CTLCOLORSTATIC:
        return resultColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result);
    default:
        return false;
    }
}

} // namespace huereq
