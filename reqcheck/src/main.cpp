// huereq: tells the product's installer whether this machine can run the
// product. Shows a window only when a requirement is not met; exit status 1
// when the user aborted, else 0.
#include <windows.h>
#include <commctrl.h>

#include <hue/dialog.h>

#include "requirements_dialog.h"
#include "run_log.h"

namespace {

const char LOG_DIRECTORY[] = "c:\\logs\\hueline_vuzo";

class RequirementsApp : public hue::Application {
public:
    using hue::Application::Application;

protected:
    bool initInstance() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        if (huereq::RunLog* log = huereq::RunLog::instance())
            log->open(LOG_DIRECTORY, 1);
        {
            huereq::RequirementsDialog dialog(instance());
            if (dialog.doModal() == IDCANCEL)
                aborted = 1;
        }
        return false; // no message loop: straight to the exit routine
    }

    int exitInstance() override {
        huereq::RunLog::shutdown();
        return aborted != 0 ? aborted : 0;
    }

private:
    int aborted = 0;
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RequirementsApp app(instance);
    return app.run();
}
