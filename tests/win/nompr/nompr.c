/* A network-provider library without the password-change function, to show
   what the saver does on a system whose MPR.DLL lacks it. */
#include <windows.h>

__declspec(dllexport) DWORD WINAPI WNetGetLastErrorA(LPDWORD error, LPSTR buf, DWORD bufSize,
                                                     LPSTR name, DWORD nameSize) {
    (void)buf; (void)bufSize; (void)name; (void)nameSize;
    if (error) *error = 0;
    return 0;
}
