// The exception for failed system calls.
#include <windows.h>

#include <huecore/imaging.h>

#include <gtest/gtest.h>

#include <string>

TEST(Winerror, TakesTheLastErrorAtConstruction) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    std::string unrelated = "no system call here";
    unrelated += " either";
    const winerror error;
    EXPECT_EQ(error.code, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
}

TEST(Winerror, GivesTheSystemsMessage) {
    char expected[512] = {};
    ASSERT_NE(::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                               ERROR_NOT_FOUND, 0, expected, sizeof expected, nullptr),
              0u);
    const winerror error(ERROR_NOT_FOUND);
    EXPECT_STREQ(error.what(), expected);
    EXPECT_NE(std::string(error.what()).find('\n'), std::string::npos) << "text is not trimmed";

    const winerror copy(error);
    EXPECT_EQ(copy.code, error.code);
    EXPECT_STREQ(copy.what(), expected);
    winerror assigned(1);
    assigned = error;
    EXPECT_STREQ(assigned.what(), expected);

    const std::exception& base = error;
    EXPECT_STREQ(base.what(), expected);
}

TEST(Winerror, AnUnknownCodeHasNoText) {
    EXPECT_STREQ(winerror(0x2ABCDEF1).what(), "");
}
