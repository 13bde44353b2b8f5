#include <windows.h>
#include <htmlhelp.h>
#include <shellapi.h>

#include "dialogs.h"
#include "resource.h"

#include <string>

namespace huecfg {

namespace {

// Centres a dialog as the dialog framework does: on its owner, or on the
// work area of its monitor when it has none.
void centre(HWND window) {
    RECT box;
    ::GetWindowRect(window, &box);
    RECT area;
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner == nullptr || !::GetWindowRect(owner, &area)) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int x = area.left + (area.right - area.left - (box.right - box.left)) / 2;
    const int y = area.top + (area.bottom - area.top - (box.bottom - box.top)) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The help file: the program's own path with the extension ".CHM".
std::string helpFile() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string file = path;
    const std::size_t dot = file.find_last_of('.');
    const std::size_t slash = file.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        file.erase(dot);
    return file + ".CHM";
}

} // namespace

void showHelp(HWND owner, DWORD context) {
    const std::string file = helpFile();
    if (file.empty() || ::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return; // no help installed
    ::HtmlHelpA(owner, file.c_str(), HH_HELP_CONTEXT, context);
}

AboutDialog::AboutDialog(HINSTANCE instance, HWND parent)
    : hue::Dialog(instance, IDD_ABOUT, parent) {}

BOOL AboutDialog::onInitDialog() {
    centre(window());
    return TRUE;
}

void AboutDialog::onCommand(int id) {
    if (id == IDC_VISIT_PAGE) {
        // The system's browser shows the page; a failure is not reported.
        const std::string url = loadText(IDS_PRODUCT_URL);
        ::ShellExecuteA(window(), "open", url.c_str(), nullptr, nullptr, SW_SHOW);
        return;
    }
    hue::Dialog::onCommand(id);
}

PreferencesDialog::PreferencesDialog(HINSTANCE instance, DWORD flags)
    : hue::Dialog(instance, IDD_PREFERENCES), startFlags(flags),
      appIcon(::LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP))) {}

BOOL PreferencesDialog::onInitDialog() {
    ::SetWindowContextHelpId(window(), helpContext(IDD_PREFERENCES));
    // Either way the user sees the dialog centred: shown here at once, or
    // by the dialog manager when the queue first becomes idle.
    centre(window());
    if (!(startFlags & START_QUIET))
        ::ShowWindow(window(), SW_SHOW);

    if (HMENU menu = ::GetSystemMenu(window(), FALSE)) {
        const std::string about = loadText(IDS_ABOUT_MENU);
        if (!about.empty()) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(menu, MF_STRING, IDM_ABOUT, about.c_str());
        }
    }
    setApplicationIcon(appIcon);
    return TRUE;
}

void PreferencesDialog::onCommand(int id) {
    switch (id) {
    case IDC_ABOUT_BUTTON:
        AboutDialog(instance(), window()).doModal();
        break;
    case ID_HELP_COMMAND:
        showHelp(window(), helpContext(IDD_PREFERENCES));
        break;
    default:
        hue::Dialog::onCommand(id);
    }
}

bool PreferencesDialog::onMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUT)
            return false;
        AboutDialog(instance(), window()).doModal();
        result = 0;
        return true;
    case WM_HELP: // F1 and the title bar's "?" button
        onCommand(ID_HELP_COMMAND);
        result = TRUE;
        return true;
    default:
        return false;
    }
}

} // namespace huecfg
