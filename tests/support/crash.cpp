// A program that crashes on purpose, with a write through a null pointer: the
// test run must report it as a crash, with a backtrace, within seconds.
#include <cstdio>

int main()
{
    std::puts("writing through a null pointer");
    std::fflush(stdout);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
