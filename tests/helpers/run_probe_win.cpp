// A windowless program that only runs: for the seconds its command line gives (60 when it
// gives none), unless it is ended first. The running-mark tests start and end it.

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const unsigned long seconds = std::strtoul(commandLine, nullptr, 10);
    Sleep((seconds ? seconds : 60) * 1000);
    return 0;
}
