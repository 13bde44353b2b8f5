#include <windows.h>

#include "option_parser.h"

#include <hue/handles.h>

#include <cstring>

namespace {

constexpr std::size_t PATH_CHARS = MAX_PATH - 1; // a path buffer less its terminator
constexpr std::size_t DIAGNOSTIC_CHARS = 127;

// The scanner's complaint about the option it just refused, in its words.
std::string diagnostic(char** argv, int index, const char* optstring) {
    std::string text;
    const char* argument = index > 0 ? argv[index - 1] : "";
    if (argument != nullptr && std::strncmp(argument, "--", 2) == 0)
        text = std::string("unrecognized or ambiguous option '") + argument + "'";
    else if (optopt != 0 && std::strchr(optstring, optopt) != nullptr)
        text = std::string("option requires an argument -- ") + static_cast<char>(optopt);
    else
        text = std::string("unknown option -- ") + static_cast<char>(optopt);
    return text.substr(0, DIAGNOSTIC_CHARS);
}

} // namespace

Getopt::Getopt(bool printErrorsToStderr, bool throwOnBadOption)
    : printErrors(printErrorsToStderr), throwOnError(throwOnBadOption) {}

void Getopt::parse(int argc, char** argv, const char* optstring, const option* longopts,
                   bool expandWildcards) {
    static const option noLongOptions[] = {{nullptr, 0, nullptr, 0}};
    if (longopts == nullptr)
        longopts = noLongOptions;
    // Restart the scanner: an index of 0 makes it start again at argument 1
    // and forget what it remembered of the last scan.
    optind = 0;
    opterr = printErrors ? 1 : 0;

    for (;;) {
        int longIndex = -1;
        const int reported = getopt_long(argc, argv, optstring, longopts, &longIndex);
        if (reported == -1)
            break;
        const std::string argument = optarg != nullptr ? optarg : "";
        if (reported == '?') {
            if (throwOnError)
                throw parse_error(diagnostic(argv, optind, optstring));
            continue;
        }
        int code = reported;
        if (reported == 0 && longIndex >= 0)
            code = longopts[longIndex].val != 0 ? longopts[longIndex].val : 256 + longIndex;
        optionMap.emplace(code, argument); // after the entries with the same code
        optionOrder.push_back(code);
    }
    for (int i = optind; i < argc; ++i)
        addPositional(argv[i], expandWildcards);
}

void Getopt::addPositional(const std::string& argument, bool expandWildcards) {
    if (!expandWildcards) {
        optionMap.emplace(0, argument);
        return;
    }
    WIN32_FIND_DATAA found;
    hue::UniqueFind search(::FindFirstFileA(argument.c_str(), &found));
    if (!search) {
        optionMap.emplace(0, argument); // matches nothing: stays as written
        return;
    }
    const std::string head = argument.substr(0, PATH_CHARS);
    const std::size_t separator = head.find_last_of("\\/");
    const std::string prefix = separator == std::string::npos ? "" : head.substr(0, separator + 1);
    do {
        optionMap.emplace(0, (prefix + found.cFileName).substr(0, PATH_CHARS));
    } while (::FindNextFileA(search.get(), &found));
}
