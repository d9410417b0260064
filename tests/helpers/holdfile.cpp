// holdfile PATH: holds PATH open the way another Windows program may (no sharing at all),
// says "held" on standard output once it does, and lets go when its standard input ends.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        std::fputs("usage: holdfile PATH\n", stderr);
        return 2;
    }
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open: error %lu\n", GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    char buffer[64];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
    }
    CloseHandle(file);
    return 0;
}
