// The requirement checks.
#include <windows.h>

#include "checks.h"

#include <gtest/gtest.h>

TEST(ColorCheck, NeedsMoreThan256Colours) {
    const struct {
        int count;
        bool passes;
    } cases[] = {{256, false}, {257, true}, {-1, true}, {16, false}, {0, false}, {65536, true}};
    for (const auto& c : cases)
        EXPECT_EQ(huereq::colorCountPasses(c.count), c.passes) << c.count;
}

TEST(Checks, RunInTableOrderAndFillTheRows) {
    bool hasWarnings = false;
    const bool allPassed = huereq::runChecks(hasWarnings);
    ASSERT_TRUE(huereq::checkTable[0].check);
    ASSERT_TRUE(huereq::checkTable[1].check);
    EXPECT_FALSE(huereq::checkTable[0].check->isWarningOnly());
    EXPECT_TRUE(huereq::checkTable[1].check->isWarningOnly());
    EXPECT_EQ(huereq::checkTable[0].iconId, 1003);
    EXPECT_EQ(huereq::checkTable[1].resultId, 1009);
    // This machine: shlwapi.dll is there, and the display (no X server, or
    // a deep one) reports more than 256 colours.
    EXPECT_TRUE(huereq::checkTable[0].passed);
    EXPECT_EQ(huereq::checkTable[1].passed, huereq::colorCountPasses(huereq::countDisplayColors()));
    EXPECT_EQ(allPassed, huereq::checkTable[0].passed);
    EXPECT_EQ(hasWarnings, !huereq::checkTable[1].passed);
    huereq::releaseChecks();
    EXPECT_FALSE(huereq::checkTable[0].check);
}
