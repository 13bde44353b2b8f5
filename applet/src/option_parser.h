// A command line parsed into option codes and arguments, over the system
// library's getopt_long scanner.
#pragma once

#include <getopt.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

class Getopt {
public:
    class base_error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };
    // A bad option; the text is the scanner's diagnostic.
    class parse_error : public base_error {
    public:
        using base_error::base_error;
    };

    Getopt(bool printErrors, bool throwOnError);

    // Parses argv (the program name first) with optstring and longopts in
    // getopt_long's syntax (longopts may be null). Positional arguments are
    // stored under code 0, each wildcard pattern replaced by the names it
    // matches when expandWildcards is set. Throws parse_error on a bad
    // option when throwOnError is set; the options met before it stay.
    void parse(int argc, char** argv, const char* optstring, const option* longopts,
               bool expandWildcards);

    // Option code -> argument (empty when none), positional arguments under
    // 0; equal codes keep their order.
    std::multimap<int, std::string> optionMap;
    // The option codes in the order met (positional arguments not entered).
    std::vector<int> optionOrder;

private:
    void addPositional(const std::string& argument, bool expandWildcards);

    bool printErrors;
    bool throwOnError;
};
