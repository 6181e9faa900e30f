// The wrapper checks compiled as C++ (see wrappers_check.c).
#include "wrappers_check.c"
