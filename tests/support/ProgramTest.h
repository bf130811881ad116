#pragma once

#include <gtest/gtest.h>

#include "tests/support/Harness.h"

namespace e2e
{
// The frame every end-to-end test shares: no Pathmoor window of an earlier test is left,
// the program's key starts as the test needs it, and afterwards the program is killed
// and its key deleted. Fixtures call SetUp first (ASSERT_NO_FATAL_FAILURE) and TearDown
// after ending what they started themselves.
class CProgramTest : public ::testing::Test
{
protected:
    enum class EProgramKey
    {
        Deleted,   // as before the first start ever
        Returning, // empty, but with a start behind it: no first-start catalogue
    };

    explicit CProgramTest(EProgramKey key) : m_key(key) {}

    void SetUp() override;
    void TearDown() override;

    CProgram m_program;

private:
    EProgramKey m_key;
};
} // namespace e2e
