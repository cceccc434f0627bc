#include "shell/process_snapshot_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include "base/unique_handle_win.h"

namespace kivolt {

RunningPrograms takeProcessSnapshot() {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return {};
    std::vector<std::string> exeFiles;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        exeFiles.emplace_back(entry.szExeFile);
    return RunningPrograms(exeFiles);
}

}  // namespace kivolt
