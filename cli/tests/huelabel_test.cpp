// huelabel run as a program: exit status, output and the folders it changes.
#include <windows.h>

#include <huetest/files.h>

#include <hue/handles.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using huetest::TempFolder;

namespace {

struct Result {
    DWORD status;
    std::string out, err;
};

std::string programPath() {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + "huelabel.exe";
}

// Reads a pipe to its end on a thread of its own, so that a full pipe never
// blocks the program.
struct PipeReader {
    hue::UniqueFile read, write;
    std::string text;
    hue::UniqueFile thread;

    PipeReader() {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE r = nullptr, w = nullptr;
        EXPECT_TRUE(::CreatePipe(&r, &w, &inherit, 0));
        read.reset(r);
        write.reset(w);
        ::SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0);
    }
    void start() {
        write.reset();
        thread.reset(::CreateThread(nullptr, 0, &PipeReader::drain, this, 0, nullptr));
    }
    void finish() { ::WaitForSingleObject(thread.get(), INFINITE); }
    static DWORD WINAPI drain(void* self) {
        auto* reader = static_cast<PipeReader*>(self);
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(reader->read.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
            reader->text.append(buffer, got);
        return 0;
    }
};

std::string withoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

Result huelabel(const std::vector<std::string>& args) {
    std::string commandLine = "\"" + programPath() + "\"";
    for (const auto& arg : args)
        commandLine += " \"" + arg + "\"";
    PipeReader out, err;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.write.get();
    startup.hStdError = err.write.get();
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    EXPECT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                 nullptr, nullptr, &startup, &process))
        << commandLine;
    const hue::UniqueFile processHandle(process.hProcess), threadHandle(process.hThread);
    out.start();
    err.start();
    ::WaitForSingleObject(process.hProcess, INFINITE);
    out.finish();
    err.finish();
    Result run{};
    ::GetExitCodeProcess(process.hProcess, &run.status);
    run.out = withoutCarriageReturns(out.text);
    run.err = withoutCarriageReturns(err.text);
    return run;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> generatedIcons(const TempFolder& dir) {
    std::vector<std::string> icons;
    for (const auto& name : huetest::listFolder(dir.path()))
        if (name.rfind("huemark-", 0) == 0)
            icons.push_back(name);
    return icons;
}

} // namespace

TEST(Huelabel, ListsTheCatalogue) {
    const Result run = huelabel({"list"});
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.out, "0 None #FFFFFF\n1 Essential #FFAD17\n2 Hot #FF5A64\n3 In Progress #FE40A6\n"
                       "4 Cool #00C3FE\n5 Personal #0000EA\n6 Private #FFEC38\n"
                       "7 Project 1 #007A05\n8 Project 2 #693500\n");
}

TEST(Huelabel, SetsGetsAndClearsLabels) {
    TempFolder a, b;
    Result run = huelabel({"set", "In Progress", a.path(), b.path()});
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, a.path() + ": In Progress\n" + b.path() + ": In Progress\n");
    EXPECT_EQ(generatedIcons(a).size(), 1u);

    run = huelabel({"get", a.path(), b.path()});
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.out, a.path() + ": In Progress\n" + b.path() + ": In Progress\n");

    run = huelabel({"set", "7", a.path()});
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, a.path() + ": Project 1\n");
    EXPECT_EQ(generatedIcons(a).size(), 1u);

    run = huelabel({"clear", a.path(), b.path()});
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, a.path() + ": None\n" + b.path() + ": None\n");
    EXPECT_TRUE(generatedIcons(a).empty());
    EXPECT_TRUE(generatedIcons(b).empty());
}

TEST(Huelabel, KindsAreNamesOrNumbers) {
    const struct {
        const char* kind;
        const char* name;
    } cases[] = {
        {"inprogress", "In Progress"},
        {"IN PROGRESS", "In Progress"},
        {"project2", "Project 2"},
        {"Project 1", "Project 1"},
        {"8", "Project 2"},
        {"hot", "Hot"},
        {"none", "None"},
        {"0", "None"},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        const Result run = huelabel({"set", c.kind, dir.path()});
        EXPECT_EQ(run.status, 0u) << c.kind << ": " << run.err;
        EXPECT_EQ(run.out, dir.path() + ": " + c.name + "\n") << c.kind;
    }
}

TEST(Huelabel, UsageErrorsExitWithTwo) {
    TempFolder dir;
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "no command"},
        {{"paint", dir.path()}, "unknown command"},
        {{"set", "purple", dir.path()}, "unknown kind"},
        {{"set", "9", dir.path()}, "unknown kind"},
        {{"set", "", dir.path()}, "unknown kind"},
        {{"set", "hot"}, "set needs"},
        {{"clear"}, "clear needs"},
        {{"get"}, "get needs"},
        {{"list", "extra"}, "list takes"},
        {{"icon", dir.path()}, "icon needs"},
    };
    for (const auto& c : cases) {
        const Result run = huelabel(c.args);
        EXPECT_EQ(run.status, 2u) << c.message;
        EXPECT_TRUE(contains(run.err, c.message)) << run.err;
        EXPECT_TRUE(contains(run.err, "usage: huelabel")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(huetest::listFolder(dir.path()).empty());

    const Result help = huelabel({"--help"});
    EXPECT_EQ(help.status, 0u);
    EXPECT_TRUE(contains(help.out, "usage: huelabel set <kind> <folder>..."));
}

TEST(Huelabel, AFailingFolderIsReportedAndTheOthersGoOn) {
    TempFolder good, parent;
    const std::string missing = parent.file("missing");
    const std::string file = parent.file("file.txt");
    huetest::writeFile(file, "x");
    const std::string badIcon =
        "[.ShellClassInfo]\r\nIconFile=" + parent.file("x.dll") + "\r\nIconIndex=-1\r\n";
    TempFolder broken;
    huetest::writeFile(broken.file("x.dll"), "not a module");
    huetest::writeFile(broken.file("desktop.ini"),
                       "[.ShellClassInfo]\r\nIconFile=x.dll\r\nIconIndex=-1\r\n");

    const Result run = huelabel({"set", "cool", missing, good.path(), file, broken.path()});
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(run.out, good.path() + ": Cool\n");
    EXPECT_TRUE(contains(run.err, "huelabel: " + missing + ": ")) << run.err;
    EXPECT_TRUE(contains(run.err, "huelabel: " + file + ": ")) << run.err;
    EXPECT_TRUE(contains(run.err, "huelabel: " + broken.path() + ": ")) << run.err;
    EXPECT_EQ(generatedIcons(good).size(), 1u);
    EXPECT_TRUE(generatedIcons(broken).empty());

    const Result get = huelabel({"get", missing});
    EXPECT_EQ(get.status, 1u);
    EXPECT_TRUE(contains(get.err, missing)) << get.err;
}

TEST(Huelabel, SavesTheFoldersIconAsAPicture) {
    TempFolder dir, out;
    ASSERT_EQ(huelabel({"set", "hot", dir.path()}).status, 0u);
    const std::string png = out.file("icon.png");
    const Result run = huelabel({"icon", dir.path(), png, "48"});
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_TRUE(contains(run.out, generatedIcons(dir).at(0))) << run.out;
    const std::string bytes = huetest::readFile(png);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
}
