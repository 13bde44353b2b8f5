// Uses the shell icon library as its callers do: through the public header
// and the import library only.
#include <windows.h>

#include <hueicons/filetype.h>
#include <hueicons/handler_client.h>
#include <hueicons/icon.h>

#include <gtest/gtest.h>

#include <string>

TEST(Caller, UsesFileTypeInfo) {
    // A private scratch root for HKEY_CLASSES_ROOT, as a caller that must not
    // touch the real one would arrange.
    const std::string scratch =
        "Software\\HuelineZezeCaller\\" + std::to_string(::GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, key), ERROR_SUCCESS);

    {
        FileTypeInfo info("C:\\Work\\notes.hue");
        EXPECT_TRUE(info.supported());
        EXPECT_EQ(info.getTypeName(), "");
        EXPECT_TRUE(info.enable());
        EXPECT_TRUE(info.enabled());
        const FileTypeInfo copy(info);
        EXPECT_TRUE(copy.enabled());
        EXPECT_TRUE(info.disable());
        EXPECT_FALSE(info.enabled());
        EXPECT_EQ(std::string(FileTypeInfo::guidHueshell).size(), 38u);
        EXPECT_EQ(std::string(FileTypeInfo::guidCtxMenu).size(), 38u);
    }

    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegCloseKey(key);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\HuelineZezeCaller");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\HuelineZezeCaller");
}

TEST(Caller, UsesIconsAndTheHandlerClient) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        char system[MAX_PATH] = {};
        ::GetSystemDirectoryA(system, MAX_PATH);
        const std::string shell32 = std::string(system) + "\\shell32.dll";
        HICON icon = nullptr;
        ASSERT_EQ(::ExtractIconExA(shell32.c_str(), 3, &icon, nullptr, 1), 1u);
        IconModder modder(icon);
        modder.label(0x00645AFF);
        IconObj tinted(modder.handle());
        EXPECT_NE(tinted.handle(), nullptr);

        IconHandlerClient client("{00000000-0000-0000-0000-000000000000}");
        EXPECT_FALSE(client.connect());
        const IconHandlerClient copy(client);
        (void)copy;
    }
    ::CoUninitialize();
}
