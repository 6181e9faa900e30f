// The typed message wrappers, compiled in every language mode, send their
// messages with the documented parameters and type their answers.
#include <gtest/gtest.h>

#define ZT_WRAPPER_MODES(MODE) MODE(c89) MODE(c99) MODE(c11) MODE(cxx98) MODE(cxx20)
#define ZT_DECLARE(mode) extern "C" int WrapperFailures_##mode();
ZT_WRAPPER_MODES(ZT_DECLARE)

TEST(Wrappers, SendTheirMessagesInEveryLanguageMode)
{
#define ZT_RUN(mode) EXPECT_EQ(WrapperFailures_##mode(), 0) << #mode;
    ZT_WRAPPER_MODES(ZT_RUN)
}
