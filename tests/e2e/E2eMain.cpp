#include <gtest/gtest.h>

#include "tests/support/Harness.h"

#include <string>

namespace
{
// The screen at a test's first failure is what explains it, so keep it.
class ScreenshotOnFailure : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo&) override { m_saved = false; }

    void OnTestPartResult(const testing::TestPartResult& result) override
    {
        if (!result.failed() || m_saved)
            return;
        m_saved = true;
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        if (info == nullptr)
            return;
        const std::string name =
            std::string("failed-") + info->test_suite_name() + "." + info->name();
        const std::wstring path = e2e::SaveScreenshot(std::wstring(name.begin(), name.end()));
        printf("screenshot at the failure: %ls\n", path.c_str());
    }

    bool m_saved = false;
};
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
    return RUN_ALL_TESTS();
}
