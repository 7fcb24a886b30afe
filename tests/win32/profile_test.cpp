// The registry store of the Win32 port: values under
// HKEY_CURRENT_USER\Software\<key>\<application>\<section> as REG_DWORD.
#include "app.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

constexpr const char* kMakerKey = "VerdaneProfileTest";
constexpr const char* kSectionPath = "Software\\VerdaneProfileTest\\ProfileApp\\Config";

class ProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveMakerKey();
        m_app.SetRegistryKey(kMakerKey);
    }
    void TearDown() override { RemoveMakerKey(); }

    static void RemoveMakerKey() { ::RegDeleteTree(HKEY_CURRENT_USER, "Software\\VerdaneProfileTest"); }

    // Stores raw data under the section's key, bypassing the application.
    static void StoreRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyEx(HKEY_CURRENT_USER, kSectionPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                   nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        ::RegCloseKey(key);
    }

    CWinApp m_app{"ProfileApp"};
};

TEST_F(ProfileTest, AbsentValuesReadAsTheDefault)
{
    // No key at all yet.
    EXPECT_EQ(m_app.GetProfileInt("Config", "Resolution", 10), 10);
    // The key exists, the value does not.
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 3));
    EXPECT_EQ(m_app.GetProfileInt("Config", "Resolution", 10), 10);
    EXPECT_EQ(m_app.GetProfileInt("Other", "Speed", -1), -1);
}

TEST_F(ProfileTest, ValuesComeBackAsWritten)
{
    const int values[] = {0, 1, 100, -20, INT_MIN, INT_MAX};
    for (const int value : values) {
        ASSERT_TRUE(m_app.WriteProfileInt("Config", "Star Speed", value)) << value;
        EXPECT_EQ(m_app.GetProfileInt("Config", "Star Speed", 12345), value);
    }
}

TEST_F(ProfileTest, WritesCreateTheKeyPathWithDwordValues)
{
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Star Number", -20));
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyEx(HKEY_CURRENT_USER, kSectionPath, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    EXPECT_EQ(::RegQueryValueEx(key, "Star Number", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, sizeof(DWORD));
    EXPECT_EQ(data, 0xFFFFFFECu);
}

TEST_F(ProfileTest, WritingOneValueKeepsTheOthers)
{
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Speed", 1));
    ASSERT_TRUE(m_app.WriteProfileInt("Config", "Blankscr", 2));
    ASSERT_TRUE(m_app.WriteProfileInt("Other", "Speed", 3));
    EXPECT_EQ(m_app.GetProfileInt("Config", "Speed", 0), 1);
    EXPECT_EQ(m_app.GetProfileInt("Config", "Blankscr", 0), 2);
    EXPECT_EQ(m_app.GetProfileInt("Other", "Speed", 0), 3);
}

TEST_F(ProfileTest, ValuesOfAnotherTypeReadAsTheDefault)
{
    const char shortText[] = "5";
    StoreRaw("Text", REG_SZ, shortText, sizeof shortText);
    const char longText[] = "123456789";
    StoreRaw("LongText", REG_SZ, longText, sizeof longText);
    const DWORD four = 4;
    StoreRaw("Binary", REG_BINARY, &four, sizeof four);
    StoreRaw("BigEndian", REG_DWORD_BIG_ENDIAN, &four, sizeof four);
    const unsigned long long wide = 4;
    StoreRaw("Qword", REG_QWORD, &wide, sizeof wide);
    StoreRaw("ShortDword", REG_DWORD, &four, 2);

    for (const char* name : {"Text", "LongText", "Binary", "BigEndian", "Qword", "ShortDword"})
        EXPECT_EQ(m_app.GetProfileInt("Config", name, 77), 77) << name;
}

TEST_F(ProfileTest, WithoutRegistryKeyNothingIsStored)
{
    CWinApp keyless("ProfileApp");
    EXPECT_FALSE(keyless.WriteProfileInt("Config", "Speed", 5));
    EXPECT_EQ(keyless.GetProfileInt("Config", "Speed", 9), 9);
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\VerdaneProfileTest", 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
}

}  // namespace
