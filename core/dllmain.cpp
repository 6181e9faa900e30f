// The DLL's entry point: hands every call to the library entry function.
#include "ztcore.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    return LibraryEntry(instance, reason, reserved);
}
