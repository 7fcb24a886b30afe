// The resources that verdane.scr carries, read from the built file as the
// system reads them.
#include "saver_process.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SaverResources : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_module = ::LoadLibraryEx(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite()
    {
        if (s_module != nullptr)
            ::FreeLibrary(s_module);
        s_module = nullptr;
    }
    void SetUp() override { ASSERT_NE(s_module, nullptr) << SaverPath(); }

    // The bytes of a resource, or an empty string when it is absent.
    static std::string Data(LPCTSTR type, int id)
    {
        const HRSRC found = ::FindResource(s_module, MAKEINTRESOURCE(id), type);
        if (found == nullptr)
            return {};
        const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(s_module, found)));
        return std::string(bytes, ::SizeofResource(s_module, found));
    }

    static HMODULE s_module;
};

HMODULE SaverResources::s_module = nullptr;

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(SaverResources, DisplayNameIsString1)
{
    char text[64] = {};
    ASSERT_GT(::LoadString(s_module, IDS_DISPLAY_NAME, text, sizeof text), 0);
    EXPECT_STREQ(text, "Verdane");
}

TEST_F(SaverResources, IconGroupHas16And32PixelsIn16Colours)
{
    const std::string group = Data(RT_GROUP_ICON, IDI_VERDANE);
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(count, 2);
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupIconEntry));
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].width, i == 0 ? 16 : 32);
        EXPECT_EQ(entries[i].height, entries[i].width);
        EXPECT_EQ(entries[i].colorCount, 16);
        EXPECT_EQ(entries[i].bitCount, 4);
    }
    EXPECT_NE(::LoadImage(s_module, MAKEINTRESOURCE(IDI_VERDANE), IMAGE_ICON, 16, 16, 0), nullptr);
}

// A 32 x 32 monochrome cursor that draws nothing: AND mask all ones (keep
// the screen), XOR mask all zeros (change nothing), hotspot at (0, 0).
TEST_F(SaverResources, CursorIsInvisible)
{
    const std::string group = Data(RT_GROUP_CURSOR, IDC_TRANSPARENT);
    ASSERT_EQ(group.size(), 6u + 14u);
    ASSERT_EQ(*reinterpret_cast<const WORD*>(group.data() + 4), 1);
    const WORD imageId = *reinterpret_cast<const WORD*>(group.data() + 6 + 12);

    const std::string image = Data(RT_CURSOR, imageId);
    ASSERT_GE(image.size(), 4 + sizeof(BITMAPINFOHEADER));
    const auto* hotspot = reinterpret_cast<const WORD*>(image.data());
    EXPECT_EQ(hotspot[0], 0);
    EXPECT_EQ(hotspot[1], 0);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data() + 4);
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biHeight, 64);  // XOR and AND masks
    EXPECT_EQ(header->biBitCount, 1);
    const std::size_t maskBytes = 32 * 4;
    const std::size_t masks = 4 + header->biSize + 2 * sizeof(RGBQUAD);
    ASSERT_EQ(image.size(), masks + 2 * maskBytes);
    EXPECT_EQ(image.substr(masks, maskBytes), std::string(maskBytes, '\0'));
    EXPECT_EQ(image.substr(masks + maskBytes, maskBytes), std::string(maskBytes, '\xff'));
}

std::string VersionString(const std::string& info, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValue(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0)
        return {};
    return value;
}

TEST_F(SaverResources, VersionIs11OfProductVerdane)
{
    const std::string path = SaverPath();
    const DWORD size = ::GetFileVersionInfoSize(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(::GetFileVersionInfo(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValue(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(VersionString(info, "ProductName"), "Verdane");
    EXPECT_EQ(VersionString(info, "FileVersion"), "1.1");
    EXPECT_EQ(VersionString(info, "ProductVersion"), "1.1");
}

TEST_F(SaverResources, ManifestAsksForCommonControls6AndPerMonitorDpiAwareness)
{
    const std::string manifest = Data(RT_MANIFEST, 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    // Windows 10 and 11, the system whose behaviour the program asks for.
    EXPECT_NE(manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"), std::string::npos);
}

}  // namespace
