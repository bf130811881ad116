#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include "toolkit/Application.h"

int main(int argc, char** argv)
{
    // The program initialises OLE on its one thread before anything else; so do the tests.
    if (OleInitialize(nullptr) != S_OK)
        return 2;
    CApplication::Instance().SetInstanceHandle(GetModuleHandleW(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
