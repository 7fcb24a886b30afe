// The application object of the Win32 port: the message loop, its end when
// the main window goes, and the application name from the module's name.
#include "app.h"
#include "message_pump.h"
#include "module_name.h"
#include "wnd.h"

#include <gtest/gtest.h>

namespace {

// Ends a loop that would otherwise never end, with a code no test expects.
constexpr int kStuckCode = 99;
void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(kStuckCode);
}

class RunTest : public testing::Test {
protected:
    void SetUp() override
    {
        TakeQuitMessage();
        m_guard = ::SetTimer(nullptr, 0, 5000, &EndStuckLoop);
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, m_guard);
        TakeQuitMessage();
    }

    CWinApp m_app{"RunTest"};
    UINT_PTR m_guard = 0;
};

class CSelfDeletingWnd : public CWnd {
public:
    void PostNcDestroy() override { delete this; }
};

TEST_F(RunTest, EndsWithTheQuitCode)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    m_app.m_pMainWnd = &wnd;
    ::PostQuitMessage(3);
    EXPECT_EQ(m_app.Run(), 3);
    EXPECT_EQ(m_app.m_pMainWnd, &wnd);
}

TEST_F(RunTest, EndsWhenTheMainWindowIsDestroyed)
{
    auto* wnd = new CSelfDeletingWnd;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    m_app.m_pMainWnd = wnd;
    wnd->PostMessage(WM_CLOSE);  // default processing destroys the window
    EXPECT_EQ(m_app.Run(), 0);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
}

TEST_F(RunTest, EndsAtOnceWithoutMainWindow)
{
    EXPECT_EQ(m_app.Run(), 0);
}

// A heap window whose creation failed has deleted itself; a loop waiting
// for it would wait forever.
TEST_F(RunTest, EndsAtOnceWhenTheMainWindowFailedToAppear)
{
    auto* wnd = new CSelfDeletingWnd;
    EXPECT_FALSE(wnd->CreateEx(0, "VerdaneNoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    m_app.m_pMainWnd = wnd;
    EXPECT_EQ(m_app.Run(), 0);
}

struct NameCase {
    const char* path;
    const char* name;
};

TEST(ModuleBaseName, DropsFoldersAndExtension)
{
    const NameCase cases[] = {
        {"C:\\Windows\\System32\\verdane.scr", "verdane"},
        {"Z:/work/build/app/verdane.scr", "verdane"},
        {"verdane.scr", "verdane"},
        {"verdane", "verdane"},
        {"C:\\dir.with.dots\\saver", "saver"},
        {"C:\\a\\name.tar.gz", "name.tar"},
        {"C:verdane.scr", "verdane"},
        {"", ""},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(AfxModuleBaseName(c.path), c.name) << c.path;
}

TEST(ModuleBaseName, OfThisProgram)
{
    EXPECT_EQ(AfxModuleBaseName(AfxModuleFileName(nullptr)), "win32_framework_tests");
}

}  // namespace
