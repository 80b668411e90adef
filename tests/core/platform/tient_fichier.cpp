// Holds a file open as an antivirus, a search indexer or a sync client does on
// Windows: for reading, sharing reads and writes but not deletion nor
// renaming, for a given time; "tenu" on its output once the file is held.
//   tient_fichier <file> <milliseconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 3)
        return 2;
    HANDLE h = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    std::fputs("tenu\n", stdout);
    std::fflush(stdout);
    Sleep(DWORD(std::wcstoul(argv[2], nullptr, 10)));
    CloseHandle(h);
    return 0;
}
