#include "numbers.h"

#include <cstdlib>

namespace huecore {

// long has 32 bits on Windows, as int: strtol's saturated results fit.
static_assert(sizeof(long) == sizeof(int), "long and int have the same width on Windows");

int parseInt(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

std::string formatInt(int value) {
    return std::to_string(value);
}

} // namespace huecore
