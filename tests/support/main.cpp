// Test program entry for the programs that link the DLL: registers the
// library's classes once, then runs every test.
#include "ztest.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ZTC_Register(0);
    return RUN_ALL_TESTS();
}
