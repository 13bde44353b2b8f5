// The run log on real files.
#include <windows.h>

#include <huetest/files.h>

#include "run_log.h"

#include <gtest/gtest.h>

#include <string>

using huereq::RunLog;
using huetest::TempFolder;

namespace {

SYSTEMTIME at(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

// The process's log, shut down when the test ends.
struct LogScope {
    LogScope() : log(RunLog::instance()) {}
    ~LogScope() { RunLog::shutdown(); }
    RunLog* log;
};

// The content of the only file in a folder.
std::string onlyFile(const TempFolder& dir) {
    const auto names = huetest::listFolder(dir.path());
    EXPECT_EQ(names.size(), 1u);
    return names.empty() ? std::string() : huetest::readFile(dir.file(names[0]));
}

} // namespace

TEST(RunLogFormat, NamesAndLinesCarryTheLocalTime) {
    const struct {
        SYSTEMTIME time;
        const char* name;
        const char* line;
    } cases[] = {
        {at(2004, 5, 3, 9, 5, 7), "\\20040503-90507.log", "2004.05.03 9:05:07 text\n"},
        {at(2004, 5, 3, 20, 52, 17), "\\20040503-205217.log", "2004.05.03 20:52:17 text\n"},
        {at(2026, 12, 31, 0, 0, 0), "\\20261231-00000.log", "2026.12.31 0:00:00 text\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(huereq::logFileName(c.time), c.name);
        EXPECT_EQ(huereq::logLine(c.time, "text"), c.line);
    }
}

TEST(RunLogFormat, ALongMessageIsCutToOneLine) {
    const std::string message(5000, 'm');
    const std::string line = huereq::logLine(at(2004, 5, 3, 9, 5, 7), message.c_str());
    EXPECT_EQ(line.size(), 559u);
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1);
}

TEST(RunLog, WritesNothingWithoutItsDirectory) {
    TempFolder dir;
    const std::string missing = dir.file("logs");
    LogScope scope;
    ASSERT_NE(scope.log, nullptr);
    scope.log->open(missing.c_str(), 1);
    EXPECT_FALSE(scope.log->isOpen());
    scope.log->print("Number of colors: %d", -1);
    scope.log->writeText("text");
    EXPECT_TRUE(huetest::listFolder(dir.path()).empty());
}

TEST(RunLog, StartsWithAnEmptyLineThenTimeStampedLines) {
    TempFolder dir;
    LogScope scope;
    SYSTEMTIME before;
    ::GetLocalTime(&before);
    scope.log->open(dir.path().c_str(), 1);
    ASSERT_TRUE(scope.log->isOpen());
    scope.log->print("Number of colors: %d", 256);
    const std::string path = scope.log->path();
    EXPECT_EQ(path.rfind(dir.path() + "\\", 0), 0u);
    EXPECT_EQ(path.substr(path.size() - 4), ".log");

    const std::string text = onlyFile(dir);
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text.substr(0, 2), "\r\n") << "the empty first line, in text mode";
    const std::string line = text.substr(2);
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    const std::string stamp = huereq::logLine(before, "").substr(0, 11); // date part
    EXPECT_EQ(line.rfind(stamp, 0), 0u) << line;
    EXPECT_NE(line.find(" Number of colors: 256\r\n"), std::string::npos) << line;
}

TEST(RunLog, WritesNothingBeforeOpenOrAfterClose) {
    TempFolder dir;
    LogScope scope;
    scope.log->print("early %d", 1);
    scope.log->writeText("early");
    scope.log->open(dir.path().c_str(), 1);
    scope.log->close();
    scope.log->print("late %d", 2);
    scope.log->writeText("late");
    EXPECT_EQ(onlyFile(dir), "\r\n");
}

TEST(RunLog, AFullFileIsStartedAnew) {
    const struct {
        std::size_t size;
        bool replaced;
    } cases[] = {{1048576, true}, {1048575, false}, {2000000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        TempFolder dir;
        LogScope scope;
        scope.log->open(dir.path().c_str(), 1);
        const std::string path = scope.log->path();
        huetest::writeFile(path, std::string(c.size, 'x'));
        scope.log->writeText("next");
        const std::string text = huetest::readFile(path);
        if (c.replaced) {
            EXPECT_EQ(text, "next");
        } else {
            EXPECT_EQ(text.size(), c.size + 4);
            EXPECT_EQ(text.substr(c.size), "next");
        }
    }
}
