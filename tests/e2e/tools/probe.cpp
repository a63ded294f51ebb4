// Stands in for a product's setup program in the end-to-end tests: it appends one
// line to the file named by OSTREL_PROBE_LOG saying how it was started, and exits.
//   cmdline=<its command line>|cwd=<its working directory>|show=<wShowWindow or -1>
// With "--slow" among its arguments it takes 1.5 s before it is ready for input, as
// a big setup program does.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* commandLine = GetCommandLineA();
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    char logPath[MAX_PATH] = {};
    if (GetEnvironmentVariableA("OSTREL_PROBE_LOG", logPath, MAX_PATH) > 0) {
        if (FILE* log = std::fopen(logPath, "ab")) {
            std::fprintf(log, "cmdline=%s|cwd=%s|show=%d\n", commandLine, cwd, show);
            std::fclose(log);
        }
    }
    if (std::strstr(commandLine, "--slow")) {
        Sleep(1500);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
    return 0;
}
