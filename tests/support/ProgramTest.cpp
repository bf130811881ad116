#include "tests/support/ProgramTest.h"

namespace e2e
{
void CProgramTest::SetUp()
{
    ASSERT_EQ(0, CountWindowsOfClass(MainWindowClass)) << "a Pathmoor window is left over";
    if (m_key == EProgramKey::Returning)
        ResetProgramRoot();
    else
        DeleteProgramRoot();
}

void CProgramTest::TearDown()
{
    m_program.Kill();
    DeleteProgramRoot();
}
} // namespace e2e
