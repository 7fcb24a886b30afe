// The resources that verdane.scr carries, read from the built file as the
// system reads them.
#include "saver_process.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <iterator>
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

// The side and colour depth an icon image's own data declares: a DIB's
// header (its height counts the AND mask too), or a PNG's IHDR chunk.
struct IconImageFormat {
    int width = 0, height = 0, bitCount = 0;
    bool png = false;
};

IconImageFormat FormatOf(const std::string& image)
{
    IconImageFormat format;
    static const char kPngSignature[] = "\x89PNG\r\n\x1a\n";
    if (image.compare(0, 8, kPngSignature, 8) == 0) {
        if (image.size() < 26)
            return format;
        const auto bigEndian = [&](std::size_t at) {
            const auto* b = reinterpret_cast<const unsigned char*>(image.data() + at);
            return static_cast<int>(b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3]);
        };
        format.png = true;
        format.width = bigEndian(16);
        format.height = bigEndian(20);
        // 8 bits per channel (byte 24), colour type 6: red, green, blue, alpha.
        format.bitCount = image[24] == 8 && image[25] == 6 ? 32 : 0;
        return format;
    }
    if (image.size() < sizeof(BITMAPINFOHEADER))
        return format;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    format.width = header->biWidth;
    format.height = header->biHeight / 2;
    format.bitCount = header->biBitCount;
    return format;
}

// The classic 16-colour 16 and 32 pixel images for old displays, and 32-bit
// images with alpha for every size Explorer shows, up to 256 (as PNG).
TEST_F(SaverResources, IconGroupHas16ColourAnd32BitImagesUpTo256Pixels)
{
    struct Expected {
        int side, colorCount, bitCount;
        bool png;
    };
    const Expected expected[] = {
        {16, 16, 4, false}, {32, 16, 4, false}, {16, 0, 32, false},
        {32, 0, 32, false}, {48, 0, 32, false}, {256, 0, 32, true},
    };
    const std::string group = Data(RT_GROUP_ICON, IDI_VERDANE);
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(count, std::size(expected));
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupIconEntry));
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);
    for (int i = 0; i < count; ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(testing::Message() << "image " << i << ", " << e.side << " px, " << e.bitCount << " bits");
        // The directory writes 256 as 0.
        EXPECT_EQ(entries[i].width, e.side % 256);
        EXPECT_EQ(entries[i].height, e.side % 256);
        EXPECT_EQ(entries[i].colorCount, e.colorCount);
        EXPECT_EQ(entries[i].bitCount, e.bitCount);

        const std::string image = Data(RT_ICON, entries[i].id);
        EXPECT_EQ(image.size(), entries[i].bytes);
        const IconImageFormat format = FormatOf(image);
        EXPECT_EQ(format.png, e.png);
        EXPECT_EQ(format.width, e.side);
        EXPECT_EQ(format.height, e.side);
        EXPECT_EQ(format.bitCount, e.bitCount);
    }
    for (int side : {16, 32, 48, 256}) {
        const HANDLE icon = ::LoadImage(s_module, MAKEINTRESOURCE(IDI_VERDANE), IMAGE_ICON, side, side, 0);
        EXPECT_NE(icon, nullptr) << side;
        if (icon != nullptr)
            ::DestroyIcon(static_cast<HICON>(icon));
    }
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
