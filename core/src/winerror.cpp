#include <windows.h>

#include <huecore/imaging.h>

#include <cstring>

winerror::winerror() : winerror(::GetLastError()) {}

winerror::winerror(unsigned long errorCode) : code(errorCode) {
    message_[0] = '\0';
}

winerror::winerror(const winerror& other) : std::exception(other), code(other.code) {
    message_[0] = '\0';
}

winerror& winerror::operator=(const winerror& other) {
    std::exception::operator=(other);
    code = other.code;
    message_[0] = '\0';
    return *this;
}

winerror::~winerror() = default;

const char* winerror::what() const noexcept {
    std::memset(message_, 0, sizeof message_);
    // A code without a system text leaves the buffer empty.
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     message_, sizeof message_ - 1, nullptr);
    return message_;
}
