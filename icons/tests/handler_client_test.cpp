// The icon handler client against real in-process COM handlers of the tests.
#include <windows.h>

#include <hueicons/handler_client.h>

#include <hue/handles.h>

#include "test_server.h"

#include <gtest/gtest.h>

#include <string>

using namespace testhandlers;

struct IconHandlerClientInspector {
    static bool isShortcut(const char* path) { return IconHandlerClient::isShortcut(path); }
};

namespace {

const char FILE_PATH[] = "C:\\Work\\report.hue";

std::string systemShell32() {
    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\shell32.dll";
}

struct Answer {
    bool ok;
    hue::UniqueIcon large, small;
    std::string file;
    int index;
};

Answer ask(IconHandlerClient& client, DWORD sizes = 0x00200010) {
    Answer answer{};
    char file[MAX_PATH];
    HICON large = reinterpret_cast<HICON>(1), small = reinterpret_cast<HICON>(1);
    answer.index = -99;
    answer.ok = client.getIconInfo(FILE_PATH, sizes, large, small, file, answer.index);
    answer.large.reset(large);
    answer.small.reset(small);
    answer.file = file;
    return answer;
}

using IconHandlerClientTest = ComTest;

} // namespace

TEST_F(IconHandlerClientTest, AnswersByTheHandlersBehaviour) {
    const struct {
        const char* what;
        const char* clsid;
        bool connects, ok;
        std::string file;
        int index;
        int largeSize, smallSize;
    } cases[] = {
        {"names an existing file", NAMES_FILE, true, true, systemShell32(), 3, 0, 0},
        {"names a missing file", NAMES_MISSING, true, false, "C:\\no\\such\\folder\\icon.ico", 0, 0,
         0},
        {"extracts itself", EXTRACTS_ITSELF, true, true, "test handler", 7, 32, 16},
        {"fails to load the file", FAILS_LOAD, true, false, "", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        IconHandlerClient client(c.clsid);
        ASSERT_EQ(client.connect(), c.connects);
        const Answer answer = ask(client);
        EXPECT_EQ(answer.ok, c.ok);
        EXPECT_EQ(answer.file, c.file);
        EXPECT_EQ(answer.index, c.index);
        EXPECT_EQ(iconSize(answer.large.get()), c.largeSize) << "the high word's size";
        EXPECT_EQ(iconSize(answer.small.get()), c.smallSize) << "the low word's size";
    }
}

TEST_F(IconHandlerClientTest, WithoutBothInterfacesTheHandlerIsNeverCalled) {
    for (const char* clsid :
         {NO_PERSIST_FILE, "not a class identifier", "{}", (const char*)nullptr}) {
        SCOPED_TRACE(clsid != nullptr ? clsid : "(null)");
        IconHandlerClient client(clsid);
        EXPECT_FALSE(client.connect());
        const long calls = counter("TestHandlerCalls");
        const Answer answer = ask(client);
        EXPECT_FALSE(answer.ok);
        EXPECT_FALSE(answer.large);
        EXPECT_FALSE(answer.small);
        EXPECT_EQ(client.icon(FILE_PATH), nullptr);
        EXPECT_EQ(counter("TestHandlerCalls"), calls);
    }
}

TEST_F(IconHandlerClientTest, ABufferThatCannotBeWrittenIsRefused) {
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    const DWORD page = system.dwPageSize;
    // A read-only page, and a writable page followed by a guard page.
    auto* readOnly =
        static_cast<char*>(::VirtualAlloc(nullptr, page, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY));
    auto* guarded = static_cast<char*>(
        ::VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(readOnly, nullptr);
    ASSERT_NE(guarded, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(guarded + page, page, PAGE_READWRITE | PAGE_GUARD, &old));

    IconHandlerClient client(EXTRACTS_ITSELF);
    ASSERT_TRUE(client.connect());
    for (char* buffer : {readOnly, guarded + page - 100, static_cast<char*>(nullptr)}) {
        HICON large = reinterpret_cast<HICON>(1), small = reinterpret_cast<HICON>(1);
        int index = 42;
        EXPECT_FALSE(client.getIconInfo(FILE_PATH, 0x00200010, large, small, buffer, index));
        EXPECT_EQ(large, nullptr);
        EXPECT_EQ(small, nullptr);
        EXPECT_EQ(index, 42) << "untouched";
    }
    MEMORY_BASIC_INFORMATION region;
    ASSERT_NE(::VirtualQuery(guarded + page, &region, sizeof region), 0u);
    EXPECT_NE(region.Protect & PAGE_GUARD, 0u) << "the guard page is still armed";
    ::VirtualFree(readOnly, 0, MEM_RELEASE);
    ::VirtualFree(guarded, 0, MEM_RELEASE);
}

TEST_F(IconHandlerClientTest, IconGivesOneIconOwnedByTheCaller) {
    IconHandlerClient extracting(EXTRACTS_ITSELF);
    ASSERT_TRUE(extracting.connect());
    const hue::UniqueIcon own(extracting.icon(FILE_PATH));
    EXPECT_EQ(iconSize(own.get()), 16) << "the low word of 0x00200010, in the large position";

    IconHandlerClient naming(NAMES_FILE);
    ASSERT_TRUE(naming.connect());
    const hue::UniqueIcon named(naming.icon(FILE_PATH));
    EXPECT_EQ(iconSize(named.get()), ::GetSystemMetrics(SM_CXICON));

    IconHandlerClient failing(FAILS_LOAD);
    ASSERT_TRUE(failing.connect());
    EXPECT_EQ(failing.icon(FILE_PATH), nullptr);
}

// Copies hold references of their own: every object releases exactly what
// it holds, once.
TEST_F(IconHandlerClientTest, CopiesReleaseTheirOwnReferencesOnce) {
    {
        IconHandlerClient first(EXTRACTS_ITSELF);
        ASSERT_TRUE(first.connect());
        const long live = counter("TestHandlerLiveObjects");
        EXPECT_GE(live, 1);
        {
            IconHandlerClient copy(first);
            EXPECT_TRUE(ask(copy).ok);
            IconHandlerClient other(NAMES_FILE);
            ASSERT_TRUE(other.connect());
            EXPECT_EQ(counter("TestHandlerLiveObjects"), live + 1);
            other = first; // releases the NAMES_FILE object
            EXPECT_EQ(counter("TestHandlerLiveObjects"), live);
            other = other;
            EXPECT_EQ(ask(other).file, "test handler");
            IconHandlerClient unconnected(nullptr);
            unconnected = first;
            EXPECT_TRUE(ask(unconnected).ok);
        }
        EXPECT_TRUE(ask(first).ok) << "the copies left the original's references alone";
        EXPECT_EQ(counter("TestHandlerLiveObjects"), live);
    }
    EXPECT_EQ(counter("TestHandlerLiveObjects"), 0);
    EXPECT_EQ(counter("TestHandlerOverReleases"), 0);
}

TEST(IconHandlerClientShortcut, IsADotLnkFileInAnyCase) {
    EXPECT_TRUE(IconHandlerClientInspector::isShortcut("C:\\Work\\Backup.LnK"));
    EXPECT_FALSE(IconHandlerClientInspector::isShortcut("C:\\Work\\Backup.lnk.txt"));
    EXPECT_FALSE(IconHandlerClientInspector::isShortcut("C:\\Work.lnk\\Backup"));
    EXPECT_FALSE(IconHandlerClientInspector::isShortcut(nullptr));
}
