#include <windows.h>

#include "app/app_win.h"

namespace {

// Only the system directory is searched for DLLs, so a DLL planted beside the program or
// in the working folder is never loaded.
void restrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                                   reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                             : nullptr;
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    restrictDllSearch();
    kivolt::App app(instance);
    return app.run();
}
