// huecfg: the label configuration applet ("Swatchbook Zeze"). Shows its
// preferences dialog, or with -r only its About box, and ends.
#include <windows.h>
#include <commctrl.h>

#include <hue/dialog.h>

#include "dialogs.h"
#include "option_parser.h"

#include <cstdlib>

namespace {

// The start flags from the options, in a fixed order whatever the order on
// the command line.
DWORD startFlags(const Getopt& options) {
    DWORD flags = 0;
    if (options.optionMap.count('N'))
        flags = 1;
    if (options.optionMap.count('n'))
        flags |= 2;
    if (options.optionMap.count('r'))
        flags = huecfg::START_ABOUT_ONLY;
    return flags;
}

class ConfigApp : public hue::Application {
public:
    using hue::Application::Application;

protected:
    bool initInstance() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        Getopt options(false, true);
        try {
            options.parse(__argc, __argv, "Nnr", nullptr, true);
        } catch (const Getopt::parse_error&) {
            // A bad option ends the parse; the options before it count.
        }
        const DWORD flags = startFlags(options);
        if (flags & huecfg::START_ABOUT_ONLY)
            huecfg::AboutDialog(instance(), nullptr).doModal();
        else
            huecfg::PreferencesDialog(instance(), flags).doModal();
        return false; // no message loop
    }
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ConfigApp app(instance);
    return app.run();
}
