// Entry point of every test program.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

// Ends the process at once with a failing status when an exception escapes,
// so that a crash can never pass: Wine's default handling may let the
// process exit with 0. Linux sees the Windows status & 0xFF, so the status
// keeps a non-zero low byte.
LONG WINAPI terminateOnCrash(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    std::fprintf(stderr, "\nunhandled exception 0x%08lx at %p: test program ends\n",
                 static_cast<unsigned long>(code), info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), (code & 0xFF) != 0 ? code : (code | 0xFF));
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int main(int argc, char** argv) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(terminateOnCrash);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
