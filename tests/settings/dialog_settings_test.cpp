// The four values the settings dialog carries: read with their defaults,
// and on OK written all four, in order, even past a value the store
// refuses.
#include "settings/dialog_settings.h"
#include "settings/settings.h"

#include "app.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A store that holds "Star Speed" only and refuses to write "Blankscr".
class CRecordingApp : public CWinApp {
public:
    CRecordingApp() : CWinApp("dialog-settings-test") {}

    int GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) override
    {
        const bool held = std::strcmp(section, settings::kSection) == 0 && std::strcmp(entry, settings::kNames.plantSize) == 0;
        return held ? 42 : defaultValue;
    }

    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) override
    {
        m_writes.push_back(std::string(section) + "/" + entry + "=" + std::to_string(value));
        return std::strcmp(entry, settings::kNames.blank) == 0 ? FALSE : TRUE;
    }

    std::vector<std::string> m_writes;
};

TEST(DialogSettings, LoadsWithDefaultsAndStoresAllFourInOrder)
{
    CRecordingApp app;
    const settings::CDialogSettings loaded = settings::LoadDialogSettings();
    EXPECT_EQ(loaded.speed, 0);
    EXPECT_EQ(loaded.blank, 0);
    EXPECT_EQ(loaded.plantSize, 42);
    EXPECT_EQ(loaded.growthRate, 0);

    EXPECT_FALSE(settings::StoreDialogSettings({5, 1, 60, -3}));
    EXPECT_EQ(app.m_writes, (std::vector<std::string>{"Config/Speed=5", "Config/Blankscr=1", "Config/Star Speed=60",
                                                      "Config/Star Number=-3"}));
}

}  // namespace
