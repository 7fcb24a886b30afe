// The order of a surface's pixels: colours in and out are COLORREFs
// (0x00BBGGRR) whatever is stored, the stored words are 0x00RRGGBB (what a
// display is handed as it is), and the words stay the picture when they
// move into memory the surface does not own.
#include "pixel_picture.h"
#include "surface/surface_dc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 7;
constexpr int kHeight = 5;
// Three different bytes, so that any mix-up of them shows.
constexpr COLORREF kInk = RGB(0x11, 0x22, 0x33);
constexpr std::uint32_t kInkWord = 0x112233;
constexpr COLORREF kPaper = RGB(0xA0, 0xB0, 0xC0);
constexpr std::uint32_t kPaperWord = 0xA0B0C0;

// Every pixel: At, GetPixel and the word agree with the picture drawn,
// '#' for kInk and '.' for kPaper.
void ExpectPixels(const CSurface& surface, const std::vector<std::string>& picture, const char* name)
{
    const CSurfaceDC dc(const_cast<CSurface&>(surface));
    const std::vector<COLORREF> colors = surface.Colors();
    ASSERT_EQ(colors.size(), static_cast<std::size_t>(kWidth * kHeight)) << name;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool ink = picture[y][x] == '#';
            EXPECT_EQ(surface.At(x, y), ink ? kInk : kPaper) << name << " at " << x << "," << y;
            EXPECT_EQ(dc.GetPixel(x, y), ink ? kInk : kPaper) << name << " at " << x << "," << y;
            EXPECT_EQ(surface.WordRow(y)[x], ink ? kInkWord : kPaperWord) << name << " at " << x << "," << y;
            EXPECT_EQ(surface.Words()[y * kWidth + x], surface.WordRow(y)[x]);
            EXPECT_EQ(colors[y * kWidth + x], surface.At(x, y));
        }
    }
}

struct CDrawCase {
    const char* name;
    std::function<void(CSurface&)> draw;
    std::vector<std::string> picture;
};

TEST(PixelOrder, EveryWayOfWritingStoresTheSwappedWordAndReadsTheColour)
{
    const CDrawCase cases[] = {
        {"nothing", [](CSurface&) {},
         {".......", ".......", ".......", ".......", "......."}},
        {"a thin line", [](CSurface& s) { DrawSegment(s, kInk, 1, 1, 1, 6, 1); },
         {".......", ".#####.", ".......", ".......", "......."}},
        {"a wide stroke", [](CSurface& s) { DrawSegment(s, kInk, 2, 2, 2, 4, 2); },
         {".......", ".####..", ".####..", ".......", "......."}},
        {"a fill", [](CSurface& s) {
             CSurfaceDC dc(s);
             CBrush brush(kInk);
             dc.FillRect(CRect(5, 3, 9, 9), &brush);
         },
         {".......", ".......", ".......", ".....##", ".....##"}},
        {"one pixel set", [](CSurface& s) { s.Set(6, 4, kInk | 0xFF000000); },
         {".......", ".......", ".......", ".......", "......#"}},
        {"a word written", [](CSurface& s) { s.WordRow(0)[0] = kInkWord; },
         {"#......", ".......", ".......", ".......", "......."}},
        {"resized", [](CSurface& s) { s.Resize(kWidth, kHeight, kInk); },
         {"#######", "#######", "#######", "#######", "#######"}},
    };
    for (const CDrawCase& c : cases) {
        CSurface surface(kWidth, kHeight, kPaper);
        c.draw(surface);
        ExpectPixels(surface, c.picture, c.name);
    }
}

// Memory handed to a surface by someone else, as a port's shared segment.
class CLentMemory : public CSurface::CMemory {
public:
    CLentMemory(std::vector<std::uint32_t>& words, bool& released) : m_words(words), m_released(released) {}
    ~CLentMemory() override { m_released = true; }
    std::uint32_t* Words() override { return m_words.data(); }

private:
    std::vector<std::uint32_t>& m_words;
    bool& m_released;
};

TEST(PixelOrder, AdoptedMemoryIsThePicture)
{
    const std::vector<std::string> picture = {".......", ".#####.", ".......", ".......", "......#"};
    std::vector<std::uint32_t> lent(kWidth * kHeight, 0xDEADBEEF);
    bool released = false;
    CSurface surface(kWidth, kHeight, kPaper);
    DrawSegment(surface, kInk, 1, 1, 1, 6, 1);
    surface.Adopt(std::make_unique<CLentMemory>(lent, released));
    ASSERT_NE(surface.Memory(), nullptr);
    // The pixels moved in, and drawing lands there.
    surface.Set(6, 4, kInk);
    ExpectPixels(surface, picture, "adopted");
    EXPECT_EQ(lent[kWidth + 1], kInkWord);
    EXPECT_EQ(lent[4 * kWidth + 6], kInkWord);

    // A copy owns its words; a move takes the memory along.
    CSurface copy = surface;
    EXPECT_EQ(copy.Memory(), nullptr);
    ExpectPixels(copy, picture, "copied");
    CSurface moved = std::move(surface);
    EXPECT_NE(moved.Memory(), nullptr);
    EXPECT_FALSE(released);
    ExpectPixels(moved, picture, "moved");

    // Giving the memory back keeps the picture; a resize does as well.
    moved.Adopt(nullptr);
    EXPECT_TRUE(released);
    EXPECT_EQ(moved.Memory(), nullptr);
    lent.assign(lent.size(), 0);
    ExpectPixels(moved, picture, "given back");
    released = false;
    moved.Adopt(std::make_unique<CLentMemory>(lent, released));
    moved.Resize(3, 3);
    EXPECT_TRUE(released);
    EXPECT_EQ(moved.Memory(), nullptr);
    EXPECT_EQ(moved.At(2, 2), 0u);
}

}  // namespace
