// The preferences dialog in this process, on a real display: its system menu
// and how it ends. A timer looks at the dialog while its modal loop runs.
#include <windows.h>

#include "dialogs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MenuItem {
    UINT type;
    UINT id;
    std::string text;
};

std::vector<MenuItem> seenMenu;
bool sawDialog = false;

void CALLBACK inspect(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND dialog = ::FindWindowA(nullptr, "Hueline Zeze Preferences");
    sawDialog = dialog != nullptr && ::IsWindowVisible(dialog);
    if (dialog == nullptr)
        return;
    HMENU menu = ::GetSystemMenu(dialog, FALSE);
    for (int i = 0; menu != nullptr && i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        seenMenu.push_back({item.fType, item.wID, text});
    }
    ::PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace

TEST(PreferencesDialog, SystemMenuEndsWithTheAboutItemAndEnterCloses) {
    for (const DWORD flags : {0u, 1u}) {
        SCOPED_TRACE(flags);
        seenMenu.clear();
        sawDialog = false;
        ::SetTimer(nullptr, 0, 500, inspect);
        huecfg::PreferencesDialog dialog(::GetModuleHandleA(nullptr), flags);
        EXPECT_EQ(dialog.doModal(), IDOK);
        EXPECT_TRUE(sawDialog);
        ASSERT_GE(seenMenu.size(), 2u);
        const MenuItem& separator = seenMenu[seenMenu.size() - 2];
        const MenuItem& about = seenMenu.back();
        EXPECT_NE(separator.type & MFT_SEPARATOR, 0u);
        EXPECT_EQ(about.id, 16u);
        EXPECT_EQ(about.text, "&About Swatchbook Zeze...");
    }
}
