// The test icon handlers: registration for the test run and the server's
// counters.
#pragma once

#include <windows.h>

#include <hue/handles.h>

#include "handler_server/test_handlers.h"

#include <gtest/gtest.h>

#include <string>

namespace testhandlers {

// Registers every test handler class for the server beside this test
// program, below HKEY_LOCAL_MACHINE's Software\Classes\CLSID (where COM looks
// on this platform). The prefix is made anew for each test run.
inline void registerAll() {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string server = self;
    server = server.substr(0, server.find_last_of('\\') + 1) + SERVER_DLL;
    for (const char* clsid : ALL) {
        const std::string key =
            std::string("Software\\Classes\\CLSID\\") + clsid + "\\InprocServer32";
        hue::UniqueRegKey handle;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                    nullptr, handle.put(), nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(handle.get(), nullptr, 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(server.c_str()),
                         static_cast<DWORD>(server.size() + 1));
        const char model[] = "Apartment";
        ::RegSetValueExA(handle.get(), "ThreadingModel", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(model), sizeof model);
    }
}

// A counter of the loaded server (0 before COM has loaded it).
inline long counter(const char* name) {
    HMODULE server = ::GetModuleHandleA(SERVER_DLL);
    if (server == nullptr)
        return 0;
    auto function =
        reinterpret_cast<CounterFunc>(reinterpret_cast<void*>(::GetProcAddress(server, name)));
    return function != nullptr ? function() : -1;
}

// COM initialised on the test's thread, as the library's callers do.
class ComTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        registerAll();
    }
    void TearDown() override { ::CoUninitialize(); }
};

// The edge length in pixels of an icon's colour (or mask) bitmap.
inline int iconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !::GetIconInfo(icon, &info))
        return 0;
    const hue::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    ::GetObjectA(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}

} // namespace testhandlers
