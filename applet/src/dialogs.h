// The applet's two dialogs: the preferences dialog (this edition has no
// settings) and the About box.
#pragma once

#include <windows.h>

#include <hue/dialog.h>

namespace huecfg {

// Start flags from the command line: 1 (-N) shows the preferences dialog
// through the dialog manager, 2 (-n) is read by nothing, 4 (-r) shows the
// About box alone.
constexpr DWORD START_QUIET = 1;
constexpr DWORD START_ABOUT_ONLY = 4;

// The help context of a dialog: 0x20000 plus its template id.
constexpr DWORD helpContext(int templateId) {
    return 0x20000 + static_cast<DWORD>(templateId);
}

// Opens the help file at the context; does nothing when there is no help
// file.
void showHelp(HWND owner, DWORD context);

class AboutDialog : public hue::Dialog {
public:
    AboutDialog(HINSTANCE instance, HWND parent);

protected:
    BOOL onInitDialog() override;
    void onCommand(int id) override;
};

class PreferencesDialog : public hue::Dialog {
public:
    PreferencesDialog(HINSTANCE instance, DWORD startFlags);

protected:
    BOOL onInitDialog() override;
    void onCommand(int id) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    DWORD startFlags;
    HICON appIcon; // a shared resource icon: not destroyed
};

} // namespace huecfg
