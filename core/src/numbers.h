// Numbers in settings files: written with "%d", read by decimal
// string-to-long conversion.
#pragma once

#include <string>

namespace huecore {

// Leading blanks, an optional sign, then digits up to the first non-digit;
// no digits give 0; a value beyond the range saturates.
int parseInt(const std::string& text);
std::string formatInt(int value);

} // namespace huecore
