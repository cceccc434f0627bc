#include "shell/link_reader_win.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "base/com_ptr_win.h"
#include "base/wide_text_win.h"

namespace kivolt {

namespace {

constexpr int kTargetBufferLength = 260;
constexpr std::size_t kArgumentsBufferLength = 1025;  // INFOTIPSIZE and its terminator
constexpr std::size_t kLongestArguments = 0xFFFF;     // a link file counts its texts in 16 bits

// The link's arguments, whole. Windows' ANSI interface gives at most INFOTIPSIZE characters,
// and GetArguments cuts the text quietly to the buffer, so the wide text is read into a
// buffer that grows until the text fits.
std::string linkArguments(const ComPtr<IShellLinkA>& link) {
    ComPtr<IShellLinkW> wide;
    if (link.query(IID_IShellLinkW, wide) != S_OK) return {};
    for (std::size_t size = kArgumentsBufferLength;; size *= 2) {
        std::wstring arguments(size, L'\0');
        if (FAILED(wide->GetArguments(arguments.data(), static_cast<int>(size)))) return {};
        const std::size_t length = wcsnlen(arguments.c_str(), size);
        if (length + 1 < size || length >= kLongestArguments) {
            arguments.resize(length);
            return ansiFromWide(arguments);
        }
    }
}

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

    // Zero-filled with room for a terminator, so a call that writes nothing or fills the
    // buffer still leaves a text.
    char target[kTargetBufferLength + 1] = {};
    int showCommand = SW_SHOWNORMAL;
    link->GetPath(target, kTargetBufferLength, nullptr, 0);
    link->GetShowCmd(&showCommand);
    if (target[0] == '\0') return std::nullopt;
    return LinkInfo{linkShowCommand(showCommand), target, linkArguments(link)};
}

}  // namespace kivolt
