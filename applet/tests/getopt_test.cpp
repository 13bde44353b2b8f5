// The option parser over the system library's getopt_long.
#include <windows.h>

#include <huetest/files.h>

#include "option_parser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using huetest::TempFolder;
using Entries = std::vector<std::pair<int, std::string>>;

namespace {

struct Parsed {
    Entries map;
    std::vector<int> order;
    bool threw = false;
};

// Parses the arguments (after a program name) as a program's main gets them.
Parsed parse(const std::vector<std::string>& args, const char* optstring = "Nnr",
             bool throwOnError = true, bool expand = false, const option* longopts = nullptr) {
    std::vector<std::string> storage = {"huecfg.exe"};
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : storage)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    Getopt options(false, throwOnError);
    Parsed parsed;
    try {
        options.parse(static_cast<int>(storage.size()), argv.data(), optstring, longopts, expand);
    } catch (const Getopt::parse_error& e) {
        parsed.threw = true;
        EXPECT_STRNE(e.what(), "");
        EXPECT_LE(std::string(e.what()).size(), 127u);
    }
    parsed.map.assign(options.optionMap.begin(), options.optionMap.end());
    parsed.order = options.optionOrder;
    return parsed;
}

} // namespace

TEST(Getopt, StoresOptionCodesAndPositionalArguments) {
    const struct {
        std::vector<std::string> args;
        const char* optstring;
        Entries map;
        std::vector<int> order;
        bool threw;
    } cases[] = {
        {{"-Nn"}, "Nnr", {{78, ""}, {110, ""}}, {78, 110}, false},
        {{"-n", "-n"}, "Nnr", {{110, ""}, {110, ""}}, {110, 110}, false},
        {{"foo", "-r"}, "Nnr", {{0, "foo"}, {114, ""}}, {114}, false},
        {{"--", "-r"}, "Nnr", {{0, "-r"}}, {}, false},
        {{"-", "-N"}, "Nnr", {{0, "-"}, {78, ""}}, {78}, false},
        {{"-x"}, "Nnr", {}, {}, true},
        {{"-N", "-x", "-r", "foo"}, "Nnr", {{78, ""}}, {78}, true},
        {{"foo", "-r"}, "+Nnr", {{0, "foo"}, {0, "-r"}}, {}, false},
        {{"foo", "-r"}, "-Nnr", {{1, "foo"}, {114, ""}}, {1, 114}, false},
        {{"-a"}, ":a:", {{58, ""}}, {58}, false},
        {{"-a", "value", "-b"}, "a:b::", {{97, "value"}, {98, ""}}, {97, 98}, false},
        {{"-bx"}, "a:b::", {{98, "x"}}, {98}, false},
    };
    for (const auto& c : cases) {
        std::string trace = c.optstring;
        for (const auto& arg : c.args)
            trace += " " + arg;
        SCOPED_TRACE(trace);
        const Parsed parsed = parse(c.args, c.optstring);
        EXPECT_EQ(parsed.map, c.map);
        EXPECT_EQ(parsed.order, c.order);
        EXPECT_EQ(parsed.threw, c.threw);
    }
}

TEST(Getopt, IgnoresBadOptionsWhenNotThrowing) {
    const Parsed parsed = parse({"-N", "-x", "-r"}, "Nnr", false);
    EXPECT_FALSE(parsed.threw);
    EXPECT_EQ(parsed.order, (std::vector<int>{78, 114}));
}

TEST(Getopt, PosixlyCorrectStopsAtTheFirstPositionalArgument) {
    ::_putenv("POSIXLY_CORRECT=1");
    const Parsed parsed = parse({"foo", "-r"});
    ::_putenv("POSIXLY_CORRECT=");
    EXPECT_EQ(parsed.map, (Entries{{0, "foo"}, {0, "-r"}}));
    EXPECT_TRUE(parsed.order.empty());
    EXPECT_EQ(parse({"foo", "-r"}).order, (std::vector<int>{114})) << "and only while set";
}

TEST(Getopt, LongOptionsGiveTheirValueOrTheirIndex) {
    int flag = 0;
    const option longopts[] = {
        {"verbose", no_argument, nullptr, 'v'},
        {"flagged", no_argument, &flag, 5},
        {"zero", no_argument, &flag, 0},
        {"name", required_argument, nullptr, 'm'},
        {nullptr, 0, nullptr, 0},
    };
    const Parsed parsed =
        parse({"--verbose", "--flagged", "--zero", "--name=x"}, "Nnr", true, false, longopts);
    EXPECT_EQ(parsed.order, (std::vector<int>{'v', 5, 256 + 2, 'm'}));
    EXPECT_EQ(parsed.map, (Entries{{5, ""}, {'m', "x"}, {'v', ""}, {258, ""}}));
    EXPECT_TRUE(parse({"--nonsense"}, "Nnr", true, false, longopts).threw);
}

TEST(Getopt, ExpandsWildcardsOnARealDirectory) {
    TempFolder dir;
    for (const char* name : {"a1.txt", "a2.txt", "b.txt"})
        huetest::writeFile(dir.file(name), "x");
    const std::string pattern = dir.path() + "\\a?.txt";
    const std::string none = dir.path() + "\\zz*.doc";
    const Parsed parsed = parse({pattern, none, "plain"}, "Nnr", true, true);
    Entries expected = {{0, dir.file("a1.txt")}, {0, dir.file("a2.txt")}, {0, none}, {0, "plain"}};
    ASSERT_EQ(parsed.map.size(), expected.size());
    // The names come in the order the system returns them.
    EXPECT_TRUE(parsed.map == expected ||
                parsed.map == Entries({expected[1], expected[0], expected[2], expected[3]}));

    const Parsed all = parse({dir.path() + "/*"}, "Nnr", true, true);
    bool dot = false;
    for (const auto& entry : all.map)
        dot = dot || entry.second == dir.path() + "/.";
    EXPECT_TRUE(dot) << "no filtering: the . entry too, after the slash prefix";
    EXPECT_EQ(all.map.size(), 5u);
}
