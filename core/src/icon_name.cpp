#include "icon_name.h"

#include <cctype>
#include <cstring>

namespace huecore {

const char* const LABEL_ICON_PATTERN = "huemark-%s.ico";

namespace {

const char PREFIX[] = "huemark-";
const char SUFFIX[] = ".ico";

bool equalsIgnoringCase(const std::string& text, std::size_t at, const char* expected) {
    const std::size_t length = std::strlen(expected);
    if (text.size() < at + length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != expected[i])
            return false;
    }
    return true;
}

bool isGuidText(const std::string& id) {
    // 8-4-4-4-12 hexadecimal digits.
    if (id.size() != 36)
        return false;
    for (std::size_t i = 0; i < id.size(); ++i) {
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        const unsigned char c = static_cast<unsigned char>(id[i]);
        if (hyphen ? c != '-' : !std::isxdigit(c))
            return false;
    }
    return true;
}

bool isDecimal(const std::string& id) {
    if (id.empty() || id.size() > 10)
        return false;
    for (const char c : id) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

} // namespace

bool isGeneratedIconName(const std::string& name) {
    const std::size_t prefix = sizeof PREFIX - 1;
    const std::size_t suffix = sizeof SUFFIX - 1;
    if (name.size() <= prefix + suffix)
        return false;
    if (!equalsIgnoringCase(name, 0, PREFIX) ||
        !equalsIgnoringCase(name, name.size() - suffix, SUFFIX))
        return false;
    const std::string id = name.substr(prefix, name.size() - prefix - suffix);
    return isGuidText(id) || isDecimal(id);
}

} // namespace huecore
