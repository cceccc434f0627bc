// A windowless program that records how it was started, for the launch tests: its command
// line, current folder and start-up show state go to the file that KIVOLT_PROBE_OUT names.
// The text is written to a side file first and renamed, so a reader never sees half of it.

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char out[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KIVOLT_PROBE_OUT", out, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;

    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);

    std::string text = std::string("cmdline=") + GetCommandLineA() + "\r\ncwd=" + folder +
                       "\r\nshow=" + std::to_string(startup.wShowWindow) +
                       "\r\nflags=" + std::to_string(startup.dwFlags) + "\r\n";

    std::string side = std::string(out) + ".part";
    FILE* file = std::fopen(side.c_str(), "wb");
    if (!file) return 1;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return MoveFileExA(side.c_str(), out, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
