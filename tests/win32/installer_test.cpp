// The installer, verdane-<version>-setup.exe, run silently as an
// administrator runs it, and the uninstaller that it registers, run as
// Add/Remove Programs runs it: what lands in the system folder and the
// registry, and what goes again.
#include "running_saver.h"
#include "saver_process.h"
#include "user_input.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Verdane";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kSaverValue = "SCRNSAVE.EXE";
// Installing, or uninstalling, under Wine takes a few seconds.
constexpr DWORD kSetupMs = 60000;
constexpr DWORD kSaverMs = 20000;

std::optional<std::string> ReadString(HKEY root, const char* key, const char* name)
{
    char text[1024] = {};
    DWORD size = sizeof text;
    if (::RegGetValue(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

std::optional<DWORD> ReadNumber(HKEY root, const char* key, const char* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValue(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool KeyExists(HKEY root, const char* key)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyEx(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

std::optional<std::string> FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool SamePath(const std::string& a, const std::string& b)
{
    return ::lstrcmpi(a.c_str(), b.c_str()) == 0;
}

// Runs a command line to its end; its exit code, or none when it did not
// start or did not end in time.
std::optional<DWORD> RunToEnd(std::string commandLine)
{
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &process))
        return std::nullopt;
    std::optional<DWORD> exitCode;
    if (::WaitForSingleObject(process.hProcess, kSetupMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        exitCode = code;
    } else {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return exitCode;
}

class Installer : public testing::Test {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH] = {};
        ::GetSystemDirectory(folder, MAX_PATH);
        m_installed = std::string(folder) + "\\verdane.scr";
        m_built = FileBytes(SaverPath());
        ASSERT_TRUE(m_built.has_value()) << SaverPath();
        m_activeBefore = SaverActive();
    }
    void TearDown() override
    {
        if (KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey))
            Uninstall();
        ::RegDeleteKeyValue(HKEY_CURRENT_USER, kDesktopKey, kSaverValue);
        SetDesktopValue("ScreenSaveActive", m_activeBefore);
        saver_settings::Clear();
    }

    // Silently, into the system folder or the folder given (/D=).
    void Install(const std::string& folder = "")
    {
        std::string command = "\"" + PlatformPath(VERDANE_SETUP_PATH) + "\" /S";
        if (!folder.empty())
            command += " /D=" + folder;
        EXPECT_EQ(RunToEnd(command), 0u);
        ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    }

    // As Add/Remove Programs does it: the registered quiet command, which
    // runs in place and ends with the uninstall; its exit code.
    std::optional<DWORD> RunUninstall()
    {
        const auto command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "QuietUninstallString");
        if (!command.has_value())
            return std::nullopt;
        return RunToEnd(*command);
    }
    // The uninstaller's own file and folder go just after it has ended.
    void Uninstall()
    {
        const auto command = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
        ASSERT_TRUE(command.has_value());
        const std::string uninstaller = command->substr(1, command->size() - 2);
        EXPECT_EQ(RunUninstall(), 0u);
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        const std::string folder = uninstaller.substr(0, uninstaller.rfind('\\'));
        EXPECT_TRUE(WaitUntil([&] { return ::GetFileAttributes(folder.c_str()) == INVALID_FILE_ATTRIBUTES; }, kSetupMs))
            << folder;
    }

    bool InstalledIsTheBuilt() const { return FileBytes(m_installed) == m_built; }
    std::optional<std::string> CurrentSaver() const { return ReadString(HKEY_CURRENT_USER, kDesktopKey, kSaverValue); }
    std::optional<std::string> SaverActive() const { return ReadString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive"); }

    // Sets, or with nullopt removes, a value of the user's desktop settings.
    static void SetDesktopValue(const char* name, const std::optional<std::string>& value)
    {
        if (!value.has_value()) {
            ::RegDeleteKeyValue(HKEY_CURRENT_USER, kDesktopKey, name);
            return;
        }
        ASSERT_EQ(::RegSetKeyValue(HKEY_CURRENT_USER, kDesktopKey, name, REG_SZ, value->c_str(),
                                   static_cast<DWORD>(value->size() + 1)),
                  ERROR_SUCCESS);
    }

    std::string m_installed;
    std::optional<std::string> m_built;
    std::optional<std::string> m_activeBefore;
};

TEST_F(Installer, SilentInstallPutsTheSaverInTheSystemFolderMakesItCurrentAndRegistersAnUninstaller)
{
    Install();
    EXPECT_TRUE(InstalledIsTheBuilt()) << m_installed;

    const auto current = CurrentSaver();
    ASSERT_TRUE(current.has_value());
    EXPECT_TRUE(SamePath(*current, m_installed)) << *current;
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive"), "1");

    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Verdane");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"), "1.1");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher"), "Tarnwell");
    const auto icon = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayIcon");
    ASSERT_TRUE(icon.has_value());
    EXPECT_TRUE(SamePath(icon->substr(0, icon->rfind(',')), m_installed)) << *icon;

    // The uninstaller, quoted, with /S for the quiet form.
    const auto uninstall = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
    ASSERT_TRUE(uninstall.has_value());
    ASSERT_GE(uninstall->size(), 2u);
    EXPECT_EQ(uninstall->front(), '"');
    EXPECT_EQ(uninstall->back(), '"');
    EXPECT_NE(::GetFileAttributes(uninstall->substr(1, uninstall->size() - 2).c_str()), INVALID_FILE_ATTRIBUTES);
    // The quiet form runs in place, so that its caller gets its result.
    const std::string folder = uninstall->substr(1, uninstall->rfind('\\') - 1);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "QuietUninstallString"),
              *uninstall + " /S _?=" + folder);
    const auto location = ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation");
    ASSERT_TRUE(location.has_value());
    EXPECT_TRUE(SamePath(*location + "\\verdane.scr", m_installed)) << *location;

    // In kilobytes: at least the saver.
    const auto size = ReadNumber(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize");
    ASSERT_TRUE(size.has_value());
    EXPECT_GE(*size, m_built->size() / 1024);
    EXPECT_LT(*size, 4 * 1024u);
}

TEST_F(Installer, InstalledSaverRunsFullScreenAndEndsOnAKey)
{
    Install();
    CRunningSaver saver("/s", m_installed);
    ASSERT_TRUE(saver.Started());
    const HWND window = saver.WaitForWindow([](HWND) { return true; }, kSaverMs);
    ASSERT_NE(window, nullptr);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, ::GetSystemMetrics(SM_CXSCREEN));
    ASSERT_TRUE(WaitForInputTaken(window, kSaverMs));
    PressKey('A');
    DWORD exitCode = 1;
    EXPECT_TRUE(saver.WaitForEnd(kSaverMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// The user's saver settings are theirs and survive the program.
TEST_F(Installer, SilentUninstallRemovesTheSaverAndItsKeyAndKeepsTheSettings)
{
    saver_settings::Store("Star Number", 30);
    Install();
    Uninstall();
    EXPECT_EQ(::GetFileAttributes(m_installed.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(CurrentSaver().has_value());
    EXPECT_EQ(SaverActive(), m_activeBefore);
    EXPECT_EQ(saver_settings::Stored("Star Number"), 30);
}

// The saver the user had before installing comes back on uninstalling, also
// after installing twice, since the second install finds its own saver set.
struct PreviousCase {
    const char* name;
    int installs;
};

const PreviousCase kPrevious[] = {{"InstalledOnce", 1}, {"InstalledTwice", 2}};

class InstallerPrevious : public Installer, public testing::WithParamInterface<PreviousCase> {};

TEST_P(InstallerPrevious, UninstallGivesBackTheSaverChosenBeforeInstalling)
{
    char folder[MAX_PATH] = {};
    ::GetSystemDirectory(folder, MAX_PATH);
    const std::string previous = std::string(folder) + "\\ssmystify.scr";
    SetDesktopValue(kSaverValue, previous);
    SetDesktopValue("ScreenSaveActive", "0");
    for (int i = 0; i < GetParam().installs; ++i)
        Install();
    ASSERT_TRUE(CurrentSaver().has_value());
    EXPECT_TRUE(SamePath(*CurrentSaver(), m_installed));
    EXPECT_EQ(SaverActive(), "1");

    Uninstall();
    EXPECT_EQ(CurrentSaver(), previous);
    EXPECT_EQ(SaverActive(), "0");
}

INSTANTIATE_TEST_SUITE_P(Installs, InstallerPrevious, testing::ValuesIn(kPrevious),
                         [](const testing::TestParamInfo<PreviousCase>& c) { return c.param.name; });

// /D= puts the saver into another folder, which the installer makes; the
// uninstaller finds it there through the uninstall key and removes the
// saver, the setting that names it, and the folder.
TEST_F(Installer, InstallIntoAnotherFolderIsUninstalledFromThere)
{
    const std::string folder = "C:\\Verdane Savers";
    const std::string saver = folder + "\\verdane.scr";
    ASSERT_EQ(::GetFileAttributes(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    Install(folder);
    EXPECT_EQ(FileBytes(saver), m_built);
    EXPECT_EQ(::GetFileAttributes(m_installed.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing in the system folder";
    ASSERT_TRUE(CurrentSaver().has_value());
    EXPECT_TRUE(SamePath(*CurrentSaver(), saver)) << *CurrentSaver();
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"), folder);

    Uninstall();
    EXPECT_EQ(::GetFileAttributes(saver.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributes(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(CurrentSaver().has_value());
}

// An uninstall that cannot remove the saver (here a program holds it open
// and lets nobody delete or move it) says so with its exit code, and
// changes nothing: the saver stays chosen and registered, to be removed by
// a later uninstall.
TEST_F(Installer, FailedSilentUninstallReturnsNonZeroAndKeepsTheInstall)
{
    Install();
    const HANDLE held = ::CreateFile(m_installed.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const auto exitCode = RunUninstall();
    ::CloseHandle(held);
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_NE(*exitCode, 0u);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(InstalledIsTheBuilt());
    ASSERT_TRUE(CurrentSaver().has_value());
    EXPECT_TRUE(SamePath(*CurrentSaver(), m_installed));

    Uninstall();
    EXPECT_EQ(::GetFileAttributes(m_installed.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The uninstaller clears the choice of saver only when it still names the
// installed file, whatever the letter case.
struct ChoiceCase {
    const char* name;
    bool sameFile;
    bool cleared;
};

const ChoiceCase kChoices[] = {
    {"AnotherSaver", false, false},
    {"ThisSaverInCapitals", true, true},
};

class InstallerChoice : public Installer, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(InstallerChoice, UninstallClearsTheCurrentSaverOnlyWhenItIsThisOne)
{
    Install();
    std::string chosen = m_installed;
    if (!GetParam().sameFile)
        chosen.replace(chosen.rfind('\\') + 1, std::string::npos, "ssmystify.scr");
    ::CharUpperBuff(chosen.data(), static_cast<DWORD>(chosen.size()));
    ASSERT_EQ(::RegSetKeyValue(HKEY_CURRENT_USER, kDesktopKey, kSaverValue, REG_SZ, chosen.c_str(),
                               static_cast<DWORD>(chosen.size() + 1)),
              ERROR_SUCCESS);
    Uninstall();
    if (GetParam().cleared)
        EXPECT_FALSE(CurrentSaver().has_value());
    else
        EXPECT_EQ(CurrentSaver(), chosen);
}

INSTANTIATE_TEST_SUITE_P(Choices, InstallerChoice, testing::ValuesIn(kChoices),
                         [](const testing::TestParamInfo<ChoiceCase>& choice) { return choice.param.name; });

// Installing again replaces the file, also while the system's settings
// run it (the settings dialog here, a preview alike): a running program's
// file cannot be overwritten, only moved aside.
TEST_F(Installer, ReinstallReplacesTheFileWithOrWithoutARunningSaver)
{
    Install();
    const auto alter = [this] {
        std::ofstream file(m_installed, std::ios::binary | std::ios::app);
        file << "altered";
        return static_cast<bool>(file);
    };
    ASSERT_TRUE(alter());
    ASSERT_FALSE(InstalledIsTheBuilt());
    Install();
    EXPECT_TRUE(InstalledIsTheBuilt());

    ASSERT_TRUE(alter());
    CRunningSaver settings("/c", m_installed);
    ASSERT_TRUE(settings.Started());
    ASSERT_NE(settings.WaitForWindow([](HWND) { return true; }, kSaverMs), nullptr);
    Install();
    EXPECT_TRUE(InstalledIsTheBuilt());
    EXPECT_FALSE(settings.WaitForEnd(0)) << "the running saver goes on";
}

}  // namespace
