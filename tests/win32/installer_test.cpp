// The installer, verdane-<version>-setup.exe, run silently as an
// administrator runs it, and the uninstaller that it registers, run as
// Add/Remove Programs runs it: what lands in the system folder and the
// registry, and what goes again.
#include "running_saver.h"
#include "saver_process.h"
#include "user_input.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

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

// What a command run to its end did: its exit code (none when it did not
// start or did not end in time) and what it wrote to standard error.
struct RunResult {
    std::optional<DWORD> exitCode;
    std::string errorText;
};

// The bytes waiting in a pipe, without waiting for more.
std::string TakePipeBytes(HANDLE pipe)
{
    std::string text;
    DWORD waiting = 0;
    while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
        char buffer[4096];
        DWORD got = 0;
        if (!::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) || got == 0)
            break;
        text.append(buffer, got);
    }
    return text;
}

// Runs a command line to its end, with a pipe of its own as standard error.
RunResult RunToEnd(std::wstring commandLine)
{
    RunResult result;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 1 << 16))
        return result;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &process);
    ::CloseHandle(writeEnd);
    if (started) {
        if (::WaitForSingleObject(process.hProcess, kSetupMs) == WAIT_OBJECT_0) {
            DWORD code = 0;
            ::GetExitCodeProcess(process.hProcess, &code);
            result.exitCode = code;
        } else {
            ::TerminateProcess(process.hProcess, 1);
        }
        result.errorText = TakePipeBytes(readEnd);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(readEnd);
    return result;
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                             static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return wide;
}

std::optional<DWORD> RunToEnd(const std::string& commandLine)
{
    return RunToEnd(Wide(commandLine)).exitCode;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A registry value as it is stored: its type and its bytes.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const RawValue& other) const { return type == other.type && bytes == other.bytes; }
};

std::optional<RawValue> ReadRaw(HKEY root, const wchar_t* key, const wchar_t* name)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LONG status = ::RegQueryValueExW(opened, name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        status = ::RegQueryValueExW(opened, name, nullptr, &value.type, value.bytes.data(), &size);
        value.bytes.resize(size);
    }
    ::RegCloseKey(opened);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void WriteRaw(HKEY root, const wchar_t* key, const wchar_t* name, const RawValue& value)
{
    ASSERT_EQ(::RegSetKeyValueW(root, key, name, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size())),
              ERROR_SUCCESS);
}

RawValue TextValue(DWORD type, const std::wstring& text)
{
    RawValue value{type, {}};
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    value.bytes.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    return value;
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

    // Silently, into the system folder or the folder given (/D=, written
    // exactly as given); what the installer did.
    static RunResult RunInstall(const std::optional<std::wstring>& folder = std::nullopt)
    {
        std::wstring command = L"\"" + Wide(PlatformPath(VERDANE_SETUP_PATH)) + L"\" /S";
        if (folder.has_value())
            command += L" /D=" + *folder;
        return RunToEnd(command);
    }
    void Install(const std::string& folder = "")
    {
        EXPECT_EQ(RunInstall(folder.empty() ? std::nullopt : std::optional(Wide(folder))).exitCode, 0u);
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

// A folder given with /D= that cannot be used exactly as written is
// refused: exit code 2, one line on standard error that names the reason,
// and nothing installed anywhere, the system folder least of all.
struct RefusedFolderCase {
    const char* name;
    std::wstring folder;
};

const RefusedFolderCase kRefusedFolders[] = {
    {"Relative", L"Savers"},
    {"DriveRoot", L"C:\\"},
    {"ExistingFile", L"C:\\windows\\win.ini"},
    {"ForwardSlashes", L"C:/Savers"},
    {"CharacterNamesCannotHave", L"C:\\Sav<ers"},
    {"DotDot", L"C:\\Savers\\..\\Other"},
    {"Empty", L""},
    // 1014 characters: far past what Windows' screen-saver settings hold.
    {"Long", L"C:\\" + std::wstring(1011, L'v')},
};

// Failures name the case, not its bytes.
void PrintTo(const RefusedFolderCase& c, std::ostream* out)
{
    *out << c.name;
}

class InstallerRefusedFolder : public Installer, public testing::WithParamInterface<RefusedFolderCase> {};

TEST_P(InstallerRefusedFolder, IsRefusedWithAStatusAndALineAndInstallsNothing)
{
    const RunResult run = RunInstall(GetParam().folder);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_EQ(run.errorText.rfind("verdane setup: ", 0), 0u) << run.errorText;
    ASSERT_FALSE(run.errorText.empty());
    EXPECT_EQ(run.errorText.find('\n'), run.errorText.size() - 1) << "one line: " << run.errorText;
    EXPECT_EQ(::GetFileAttributes(m_installed.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(CurrentSaver().has_value());
    EXPECT_FALSE(Exists(L"C:\\Savers"));
    EXPECT_FALSE(Exists(L"C:\\Other"));
}

INSTANTIATE_TEST_SUITE_P(Folders, InstallerRefusedFolder, testing::ValuesIn(kRefusedFolders),
                         [](const testing::TestParamInfo<RefusedFolderCase>& c) { return c.param.name; });

// The uninstaller removes the folders that the install made, every level
// of them, and nothing that was there before or that someone else put
// there since.
class InstallerMadeFolders : public Installer {
protected:
    void TearDown() override
    {
        Installer::TearDown();
        for (const std::wstring& path : {m_leaf + L"\\verdane.scr", m_leaf + L"\\notes.txt", m_top + L"\\notes.txt"})
            ::DeleteFileW(path.c_str());
        ::RemoveDirectoryW(m_leaf.c_str());
        ::RemoveDirectoryW(m_top.c_str());
    }

    // Installs into the folder, and uninstalls again, as Add/Remove
    // Programs would.
    void InstallAndUninstall()
    {
        const RunResult run = RunInstall(m_leaf);
        ASSERT_EQ(run.exitCode, 0u) << run.errorText;
        const auto saver = FileBytes(Narrow(m_leaf + L"\\verdane.scr"));
        EXPECT_TRUE(Exists(m_leaf + L"\\verdane.scr"));
        const auto location = ReadRaw(HKEY_LOCAL_MACHINE, Wide(kUninstallKey).c_str(), L"InstallLocation");
        ASSERT_TRUE(location.has_value());
        EXPECT_EQ(*location, TextValue(REG_SZ, m_leaf));
        EXPECT_EQ(::GetFileAttributes(m_installed.c_str()), INVALID_FILE_ATTRIBUTES);
        if (m_beforeUninstall)
            m_beforeUninstall();
        Uninstall();
        EXPECT_FALSE(Exists(m_leaf + L"\\verdane.scr"));
    }

    static std::string Narrow(const std::wstring& text)
    {
        std::string narrow(text.size() * 4, '\0');
        const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                 narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr);
        narrow.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        return narrow;
    }

    static void PutFile(const std::wstring& path)
    {
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ::CloseHandle(file);
    }

    const std::wstring m_top = L"C:\\S\u00e4vers";
    const std::wstring m_leaf = m_top + L"\\\u00fcn\u00ef \u20ac";
    std::function<void()> m_beforeUninstall;
};

TEST_F(InstallerMadeFolders, BothLevelsOfANewFolderGoAgain)
{
    ASSERT_FALSE(Exists(m_top));
    InstallAndUninstall();
    EXPECT_FALSE(Exists(m_leaf));
    EXPECT_FALSE(Exists(m_top));
    EXPECT_TRUE(Exists(L"C:\\windows"));
}

TEST_F(InstallerMadeFolders, AFolderThatWasThereBeforeStays)
{
    ASSERT_TRUE(::CreateDirectoryW(m_top.c_str(), nullptr));
    PutFile(m_top + L"\\notes.txt");
    InstallAndUninstall();
    EXPECT_FALSE(Exists(m_leaf));
    EXPECT_TRUE(Exists(m_top + L"\\notes.txt"));
}

TEST_F(InstallerMadeFolders, AFolderWithSomethingPutThereSinceStaysWithItsParents)
{
    m_beforeUninstall = [this] { PutFile(m_leaf + L"\\notes.txt"); };
    InstallAndUninstall();
    EXPECT_TRUE(Exists(m_leaf + L"\\notes.txt"));
    EXPECT_TRUE(Exists(m_top));
}

// The user's choice may name the installed saver in another spelling than
// the installer wrote: its short (8.3) path, as some settings programs
// write it. The uninstaller still sees its own saver there and gives back
// the one chosen before.
TEST_F(Installer, UninstallGivesBackThePreviousSaverWhenTheChoiceNamesOursByItsShortPath)
{
    const std::string folder = "C:\\Verdane Long Folder Name";
    const std::string previous = "C:\\windows\\system32\\ssmystify.scr";
    SetDesktopValue(kSaverValue, previous);
    SetDesktopValue("ScreenSaveActive", "0");
    Install(folder);
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(::GetShortPathName((folder + "\\verdane.scr").c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_FALSE(SamePath(shortPath, folder + "\\verdane.scr")) << shortPath;
    SetDesktopValue(kSaverValue, std::string(shortPath));

    Uninstall();
    EXPECT_EQ(CurrentSaver(), previous);
    EXPECT_EQ(SaverActive(), "0");
    EXPECT_EQ(::GetFileAttributes(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The user's choice comes back exactly as it was stored, whatever its type
// and bytes: the registry holds any of them under SCRNSAVE.EXE, and the
// uninstaller cannot know which the settings program that wrote it reads.
struct StoredChoiceCase {
    const char* name;
    RawValue saver;
};

RawValue Bytes(DWORD type, std::vector<BYTE> bytes)
{
    return RawValue{type, std::move(bytes)};
}

std::vector<StoredChoiceCase> StoredChoices()
{
    std::vector<StoredChoiceCase> cases = {
        {"ExpandableString", TextValue(REG_EXPAND_SZ, L"%SystemRoot%\\System32\\ssmystify.scr")},
        {"LongString", TextValue(REG_SZ, L"C:\\" + std::wstring(4000, L's') + L".scr")},
        {"MultiString", Bytes(REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0})},
        {"StringWithoutTerminator", Bytes(REG_SZ, {'a', 0, 'b'})},
        {"EmptyString", Bytes(REG_SZ, {})},
        {"Number", Bytes(REG_DWORD, {1, 2, 3, 4})},
        {"BigNumber", Bytes(REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8})},
        {"NoType", Bytes(REG_NONE, {})},
        {"TypeOfNoName", Bytes(0xFFFF0001, {0xFF, 0})},
    };
    // And values of every type, with random bytes of random length.
    std::mt19937 random(20261209);
    const char* names[] = {"Random1", "Random2", "Random3", "Random4", "Random5", "Random6"};
    for (const char* name : names) {
        RawValue value{static_cast<DWORD>(random() % (REG_QWORD + 1)), {}};
        value.bytes.resize(random() % 9000);
        for (BYTE& byte : value.bytes)
            byte = static_cast<BYTE>(random());
        cases.push_back({name, value});
    }
    return cases;
}

void PrintTo(const StoredChoiceCase& c, std::ostream* out)
{
    *out << c.name;
}

class InstallerStoredChoice : public Installer, public testing::WithParamInterface<StoredChoiceCase> {};

TEST_P(InstallerStoredChoice, ComesBackWithItsTypeAndBytes)
{
    const RawValue active = Bytes(REG_BINARY, {'0'});
    WriteRaw(HKEY_CURRENT_USER, Wide(kDesktopKey).c_str(), L"SCRNSAVE.EXE", GetParam().saver);
    WriteRaw(HKEY_CURRENT_USER, Wide(kDesktopKey).c_str(), L"ScreenSaveActive", active);
    Install();
    ASSERT_TRUE(CurrentSaver().has_value());
    EXPECT_TRUE(SamePath(*CurrentSaver(), m_installed));

    Uninstall();
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Wide(kDesktopKey).c_str(), L"SCRNSAVE.EXE"), GetParam().saver);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Wide(kDesktopKey).c_str(), L"ScreenSaveActive"), active);
}

INSTANTIATE_TEST_SUITE_P(Values, InstallerStoredChoice, testing::ValuesIn(StoredChoices()),
                         [](const testing::TestParamInfo<StoredChoiceCase>& c) { return c.param.name; });

// A running saver does not hold up the uninstall: its file is moved out of
// the way (Windows lets a running program's file be renamed, not deleted),
// so it is no longer listed, and goes at the next restart; the saver
// itself runs on until the user ends it.
TEST_F(Installer, UninstallWhileTheSaverRunsFullScreenSucceedsAndTheSaverRunsOn)
{
    Install();
    CRunningSaver saver("/s", m_installed);
    ASSERT_TRUE(saver.Started());
    const HWND window = saver.WaitForWindow([](HWND) { return true; }, kSaverMs);
    ASSERT_NE(window, nullptr);

    Uninstall();
    EXPECT_EQ(::GetFileAttributes(m_installed.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(CurrentSaver().has_value());
    EXPECT_FALSE(saver.WaitForEnd(0)) << "the running saver goes on";
    ASSERT_TRUE(WaitForInputTaken(window, kSaverMs));
    PressKey('A');
    DWORD exitCode = 1;
    EXPECT_TRUE(saver.WaitForEnd(kSaverMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
