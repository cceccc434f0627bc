#include "shell/link_reader_win.h"

#include <windows.h>
#include <shlobj.h>

#include "base/com_ptr_win.h"
#include "base/wide_text_win.h"

namespace kivolt {

namespace {

constexpr int kTargetBufferLength = 260;
constexpr int kArgumentsBufferLength = 261;

}  // namespace

std::optional<LinkInfo> resolveLink(const std::string& linkPath) {
    ComScope com;
    ComPtr<IShellLinkA> link;
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid()) != S_OK)
        return std::nullopt;
    ComPtr<IPersistFile> file;
    if (link.query(IID_IPersistFile, file) != S_OK) return std::nullopt;
    if (file->Load(wideFromAnsi(linkPath).c_str(), STGM_READ) != S_OK) return std::nullopt;
    if (link->Resolve(nullptr, SLR_NO_UI) != S_OK) return std::nullopt;

    // Zero-filled, so a call that writes nothing leaves an empty text.
    char target[kTargetBufferLength + 1] = {};
    char arguments[kArgumentsBufferLength] = {};
    int showCommand = SW_SHOWNORMAL;
    link->GetPath(target, kTargetBufferLength, nullptr, 0);
    link->GetShowCmd(&showCommand);
    link->GetArguments(arguments, kArgumentsBufferLength);
    if (target[0] == '\0') return std::nullopt;
    return LinkInfo{linkShowCommand(showCommand), target, arguments};
}

}  // namespace kivolt
