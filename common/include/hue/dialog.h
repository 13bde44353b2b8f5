// A small application-and-dialog layer for the dialog programs: an
// application whose start-up routine runs one modal dialog and whose exit
// routine gives the exit status, and a dialog base class that forwards the
// messages of its window to virtual handlers. Header-only: compiled into
// each program that uses it.
#pragma once

#include <windows.h>

#include <string>

namespace hue {

class Dialog {
public:
    Dialog(HINSTANCE instance, int templateId, HWND parent = nullptr)
        : instance_(instance), templateId_(templateId), parent_(parent) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; the value given to endDialog, or -1 when the
    // dialog could not be created.
    INT_PTR doModal() {
        return ::DialogBoxParamA(instance_, MAKEINTRESOURCEA(templateId_), parent_, &Dialog::proc,
                                 reinterpret_cast<LPARAM>(this));
    }

    HWND window() const { return window_; }
    // A string of the program's string table; empty when it has none.
    std::string loadText(int id) const {
        char text[512] = {};
        ::LoadStringA(instance_, static_cast<UINT>(id), text, sizeof text);
        return text;
    }
    HWND item(int id) const { return ::GetDlgItem(window_, id); }
    HINSTANCE instance() const { return instance_; }
    void endDialog(INT_PTR result) { ::EndDialog(window_, result); }

protected:
    // Makes icon the window's big and small icon; the dialog then paints it
    // when minimised (centred, on the erased icon background) and answers
    // the drag-icon query with it. The icon stays the caller's.
    void setApplicationIcon(HICON icon) {
        appIcon_ = icon;
        ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }

    // WM_INITDIALOG; the return value is the message's (TRUE: the system
    // sets the focus).
    virtual BOOL onInitDialog() { return TRUE; }
    // Any other message. Return true and set result when it was handled.
    virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
        (void)message;
        (void)wParam;
        (void)lParam;
        (void)result;
        return false;
    }
    // OK and Cancel end the dialog with their own ids, as the standard
    // handling does (Escape and the close box send Cancel).
    virtual void onCommand(int id) {
        if (id == IDOK || id == IDCANCEL)
            endDialog(id);
    }

private:
    static INT_PTR CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<Dialog*>(lParam);
            ::SetWindowLongPtrA(window, DWLP_USER, lParam);
            self->window_ = window;
            return self->onInitDialog();
        }
        auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(window, DWLP_USER));
        if (self == nullptr)
            return FALSE;
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            self->onCommand(LOWORD(wParam));
            return TRUE;
        }
        if (self->appIcon_ != nullptr) {
            if (message == WM_PAINT && ::IsIconic(window)) {
                self->paintMinimised();
                return TRUE;
            }
            if (message == WM_QUERYDRAGICON)
                return reinterpret_cast<INT_PTR>(self->appIcon_);
        }
        INT_PTR result = 0;
        if (self->onMessage(message, wParam, lParam, result))
            return result;
        return FALSE;
    }

    void paintMinimised() {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window_, &paint);
        ::SendMessageA(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client;
        ::GetClientRect(window_, &client);
        const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc, x, y, appIcon_);
        ::EndPaint(window_, &paint);
    }

    HINSTANCE instance_;
    int templateId_;
    HWND parent_;
    HWND window_ = nullptr;
    HICON appIcon_ = nullptr;
};

// The start-up / run-dialog / exit-routine shape of a dialog program.
class Application {
public:
    explicit Application(HINSTANCE instance) : instance_(instance) {}
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the start-up routine; when it reports that initialisation did not
    // succeed (as a program that ran its dialog there does), no message loop
    // runs. Then the exit routine gives the exit status.
    int run() {
        if (initInstance()) {
            MSG message;
            while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
        }
        return exitInstance();
    }

    HINSTANCE instance() const { return instance_; }

protected:
    virtual bool initInstance() = 0;
    virtual int exitInstance() { return 0; }

private:
    HINSTANCE instance_;
};

} // namespace hue
