// A planted DLL, for the Wine tests: built under the name of a DLL that calendario.exe takes
// from System32, exporting each of that DLL's functions as `bait`, and put beside the
// program. Loaded, it leaves a file beside itself, its own name and ".loaded".
#include <windows.h>

#include <cwchar>

extern "C" int bait()
{
    return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t marker[MAX_PATH + 8];
        const DWORD length = GetModuleFileNameW(self, marker, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            std::wcscpy(marker + length, L".loaded");
            CloseHandle(CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        }
    }
    return TRUE;
}
