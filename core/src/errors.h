// The allocation failure that the imaging code raises.
#pragma once

#include <new>

namespace huecore {

// std::bad_alloc with the text "bad allocation".
class BadAllocation : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "bad allocation"; }
};

[[noreturn]] inline void throwBadAllocation() {
    throw BadAllocation();
}

} // namespace huecore
