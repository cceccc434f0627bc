#include "settings/autostart_link_win.h"

#include <windows.h>
#include <shlobj.h>

#include "base/com_ptr_win.h"
#include "base/wide_text_win.h"
#include "settings/shell_link_rules.h"

namespace kivolt {

namespace {

constexpr DWORD kFolderBufferLength = 2048;

std::string ownExecutablePath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

}  // namespace

std::string specialFolderPath(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, csidl, &pidl) != S_OK || !pidl) return {};
    // SHGetPathFromIDListA writes at most MAX_PATH characters; the buffer is generous.
    char buffer[kFolderBufferLength] = {};
    const BOOL found = SHGetPathFromIDListA(pidl, buffer);
    CoTaskMemFree(pidl);
    if (!found || buffer[0] == '\0') return {};
    return std::string(buffer) + '\\';
}

bool createShellLink(const ShellLink& wanted) {
    const std::string iconPath = linkIconPath(wanted.iconPath, wanted.target);
    const std::string workingDir = linkWorkingFolder(wanted.workingDir, wanted.target);

    ComScope com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid())))
        return false;
    link->SetPath(wideFromAnsi(wanted.target).c_str());
    link->SetArguments(wideFromAnsi(wanted.arguments).c_str());
    link->SetWorkingDirectory(wideFromAnsi(workingDir).c_str());
    link->SetDescription(wideFromAnsi(wanted.description).c_str());
    link->SetShowCmd(wanted.showCmd);
    link->SetHotkey(static_cast<WORD>(wanted.hotkey));
    link->SetIconLocation(wideFromAnsi(iconPath).c_str(), wanted.iconIndex);

    ComPtr<IPersistFile> file;
    if (FAILED(link.query(IID_IPersistFile, file))) return false;
    file->Save(wideFromAnsi(wanted.linkPath).c_str(), TRUE);
    return true;
}

void updateAutostartLinkIn(const std::string& folder, int autostart) {
    if (folder.empty()) return;
    const std::string linkPath = folder + kAutostartLinkName;
    if (autostart != 1) {
        DeleteFileA(linkPath.c_str());
        return;
    }
    const std::string target = ownExecutablePath();
    if (target.empty()) return;
    createShellLink({.target = target,
                     .linkPath = linkPath,
                     .workingDir = "",  // the program's own folder
                     .arguments = "",
                     .showCmd = SW_SHOWNORMAL,
                     .description = "",
                     .hotkey = 0,
                     .iconPath = "|",  // the program file itself
                     .iconIndex = 0});
}

void updateAutostartLink(int autostart) { updateAutostartLinkIn(specialFolderPath(CSIDL_STARTUP), autostart); }

}  // namespace kivolt
