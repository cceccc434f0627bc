#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "shell/launch_win.h"
#include "temp_folder_win.h"

namespace kivolt {
namespace {

using test::TempFolder;

// The launch probe beside this test binary records how it was started.
std::string probePath() { return test::folderOf(test::ownExecutablePath()) + "launch_probe.exe"; }

std::string withoutTrailingBackslash(std::string path) {
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// Points HKCR\<key>\<subkey> (default value) at `value` for the test's lifetime. What was
// under <key> before is kept in a side key and put back afterwards.
class ClassesKeyOverride {
public:
    ClassesKeyOverride(std::string key, const std::string& subkey, const std::string& value)
        : key_(std::move(key)), backup_("KivoltTestBackup\\" + key_) {
        HKEY existing = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS) {
            HKEY backup = nullptr;
            RegCreateKeyExA(HKEY_CLASSES_ROOT, backup_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup,
                            nullptr);
            backedUp_ = RegCopyTreeA(existing, nullptr, backup) == ERROR_SUCCESS;
            RegCloseKey(backup);
            RegCloseKey(existing);
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key_.c_str());
        }
        HKEY created = nullptr;
        const std::string path = subkey.empty() ? key_ : key_ + "\\" + subkey;
        RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr);
        RegSetValueExA(created, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(created);
    }
    ~ClassesKeyOverride() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, key_.c_str());
        if (!backedUp_) return;
        HKEY restored = nullptr;
        HKEY backup = nullptr;
        RegCreateKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &restored, nullptr);
        RegOpenKeyExA(HKEY_CLASSES_ROOT, backup_.c_str(), 0, KEY_READ, &backup);
        RegCopyTreeA(backup, nullptr, restored);
        RegCloseKey(backup);
        RegCloseKey(restored);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "KivoltTestBackup");
    }
    ClassesKeyOverride(const ClassesKeyOverride&) = delete;
    ClassesKeyOverride& operator=(const ClassesKeyOverride&) = delete;

private:
    std::string key_;
    std::string backup_;
    bool backedUp_ = false;
};

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::fileExists(probePath())) << probePath();
        SetEnvironmentVariableA("KIVOLT_PROBE_OUT", out_.c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("KIVOLT_PROBE_OUT", nullptr); }

    // What the probe wrote, key by key; empty if it did not run within ten seconds.
    std::map<std::string, std::string> probeReport() {
        for (int i = 0; i < 200 && !test::fileExists(out_); ++i) Sleep(50);
        std::map<std::string, std::string> report;
        std::istringstream lines(test::readFileBytes(out_));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) report[line.substr(0, equals)] = line.substr(equals + 1);
        }
        DeleteFileA(out_.c_str());
        return report;
    }

    // A new folder in the temp folder, with its trailing backslash.
    std::string subfolder(const std::string& name) const {
        const std::string folder = temp_.file(name) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }
    // The probe copied into `folder` under `name`.
    static std::string probeCopy(const std::string& folder, const std::string& name) {
        const std::string copy = folder + name;
        CopyFileA(probePath().c_str(), copy.c_str(), FALSE);
        return copy;
    }

    // Documents of the type ".kvprobe" and folders open with the probe.
    std::string openCommand() const {
        std::string command = "\"";
        command += probePath();
        command += "\" \"%1\"";
        return command;
    }

    TempFolder temp_;
    std::string out_ = temp_.file("probe.txt");
};

Shortcut shortcut(std::string path, int runMode = 0, int runAsAdmin = 0, std::string parameters = "") {
    Shortcut s;
    s.path = std::move(path);
    s.runMode = runMode;
    s.runAsAdmin = runAsAdmin;
    s.parameters = std::move(parameters);
    return s;
}

// Run modes 0..2 give their show command; any other value (-1 from the properties dialog,
// a link's own show command) starts the program normally, never hidden.
TEST_F(LaunchTest, ProgramStartsInItsOwnFolderWithItsParametersAndShowCommand) {
    const std::string folder = subfolder("Werkzeug Ordner");
    const std::string program = probeCopy(folder, "launch_probe.exe");
    const std::pair<int, const char*> cases[] = {{0, "1"}, {1, "2"}, {2, "3"}, {-1, "1"}, {5, "1"}};
    for (auto [runMode, show] : cases) {
        launchShortcut(shortcut(program, runMode, 0, "alpha \"b c\""));
        auto report = probeReport();
        ASSERT_FALSE(report.empty()) << "run mode " << runMode;
        EXPECT_EQ(report["cmdline"].find(program), 1u) << report["cmdline"];
        EXPECT_NE(report["cmdline"].find("alpha \"b c\""), std::string::npos) << report["cmdline"];
        EXPECT_EQ(report["show"], show) << "run mode " << runMode;
        EXPECT_EQ(std::stoul(report["flags"]) & STARTF_USESHOWWINDOW, STARTF_USESHOWWINDOW);
        EXPECT_EQ(report["cwd"], withoutTrailingBackslash(folder));
    }
}

// Wine has no elevation: the verb "runas" starts the program like the default verb, so the
// probe runs with its parameters and show command (that the verb is "runas" is checked by
// the portable launch plan tests).
TEST_F(LaunchTest, ExecutableWithRunAsAdminStarts) {
    launchShortcut(shortcut(probePath(), 2, 1, "elevated"));
    auto report = probeReport();
    ASSERT_FALSE(report.empty());
    EXPECT_NE(report["cmdline"].find("elevated"), std::string::npos);
    EXPECT_EQ(report["show"], "3");
}

TEST_F(LaunchTest, RunFileStartsAProgramQuotedAndShownNormally) {
    runFile(probePath());
    auto report = probeReport();
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report["cmdline"], "\"" + probePath() + "\"");
    EXPECT_EQ(report["show"], "1");
    EXPECT_EQ(report["flags"], std::to_string(STARTF_USESHOWWINDOW));
}

TEST_F(LaunchTest, DocumentOpensWithItsProgramInItsFolder) {
    ClassesKeyOverride extension(".kvprobe", "", "KivoltProbeDocument");
    ClassesKeyOverride verb("KivoltProbeDocument", "shell\\open\\command", openCommand());
    const std::string document = temp_.file("brief report.kvprobe");
    test::writeFileBytes(document, "x");

    // Its run mode and parameters are not used.
    launchShortcut(shortcut(document, 2, 1, "ignored"));
    auto report = probeReport();
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report["cmdline"], "\"" + probePath() + "\" \"" + document + "\"");
    EXPECT_EQ(report["show"], "1");
    EXPECT_EQ(withoutTrailingBackslash(report["cwd"]), withoutTrailingBackslash(temp_.path()));
}

// A batch file runs through the shell (cmd.exe) in its own folder; the probe it starts
// inherits that folder.
TEST_F(LaunchTest, BatchFileRunsInItsOwnFolder) {
    const std::string folder = subfolder("Skripte 1");
    const std::string batch = folder + "start probe.bat";
    test::writeFileBytes(batch, "@\"" + probePath() + "\" aus-batch\r\n");

    launchShortcut(shortcut(batch, 2, 0, "ignored"));
    auto report = probeReport();
    ASSERT_FALSE(report.empty());
    EXPECT_NE(report["cmdline"].find("aus-batch"), std::string::npos) << report["cmdline"];
    EXPECT_EQ(report["cmdline"].find("ignored"), std::string::npos) << report["cmdline"];
    EXPECT_EQ(report["cwd"], withoutTrailingBackslash(folder));
}

// Other program files go to the shell too, in their own folder. (On Windows the screen
// saver's registered verb adds "/S"; Wine's shell starts any program file directly.)
TEST_F(LaunchTest, ScreenSaverStartsThroughTheShellInItsOwnFolder) {
    const std::string folder = subfolder("Schoner");
    const std::string saver = probeCopy(folder, "Sterne.scr");

    launchShortcut(shortcut(saver, 2, 0, "ignored"));
    auto report = probeReport();
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report["cmdline"].find("ignored"), std::string::npos) << report["cmdline"];
    EXPECT_EQ(report["show"], "1");
    EXPECT_EQ(report["cwd"], withoutTrailingBackslash(folder));
}

// Why documents get no backslash appended: the shell takes "brief.kvprobe\" for a missing
// folder and opens nothing.
TEST_F(LaunchTest, ShellRefusesADocumentPathEndingInABackslash) {
    ClassesKeyOverride extension(".kvprobe", "", "KivoltProbeDocument");
    ClassesKeyOverride verb("KivoltProbeDocument", "shell\\open\\command", openCommand());
    const std::string document = temp_.file("brief.kvprobe");
    test::writeFileBytes(document, "x");

    const std::string withBackslash = document + "\\";
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "";
    info.lpFile = withBackslash.c_str();
    info.nShow = SW_SHOWNORMAL;
    EXPECT_FALSE(ShellExecuteExA(&info));
    EXPECT_FALSE(test::fileExists(out_));
}

class FolderLaunchTest : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    // The shell's folder verb (and its DDE conversation with the file browser) replaced by
    // the probe for the test.
    ClassesKeyOverride folderVerb_{"Folder\\shell\\open", "command", openCommand()};
    std::string folder_ = temp_.file("Fotos 2024");
};

TEST_F(FolderLaunchTest, FolderOpensThroughTheShellAsItsOwnWorkingFolder) {
    launchShortcut(shortcut(folder_, 2, 0, "ignored"));
    auto report = probeReport();
    ASSERT_FALSE(report.empty());
    EXPECT_NE(report["cmdline"].find(folder_), std::string::npos) << report["cmdline"];
    EXPECT_EQ(report["cmdline"].find("ignored"), std::string::npos);
    EXPECT_EQ(withoutTrailingBackslash(report["cwd"]), folder_);
    EXPECT_EQ(report["show"], "1");
}

TEST_F(FolderLaunchTest, ContainingFolderOfAFileOpens) {
    openContainingFolder(shortcut(folder_ + "\\app.exe"));
    auto report = probeReport();
    ASSERT_FALSE(report.empty());
    EXPECT_NE(report["cmdline"].find(folder_), std::string::npos) << report["cmdline"];
    EXPECT_EQ(report["cmdline"].find("app.exe"), std::string::npos) << report["cmdline"];
    EXPECT_EQ(withoutTrailingBackslash(report["cwd"]), folder_);
}

TEST(CopyShortcutPathTest, ClipboardHoldsExactlyThePath) {
    const std::string path = "C:\\Program Files\\Some Tool\\t\xF6n.exe";
    copyShortcutPath(shortcut(path));
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    EXPECT_EQ(text, path);
}

}  // namespace
}  // namespace kivolt
