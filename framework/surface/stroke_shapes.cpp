#include "stroke_shapes.h"

#include <climits>

namespace {

constexpr int kSide = 2 * CStrokeShapes::kMaxDelta + 1;

// Per width 2..kMaxWidth, kSide x kSide shapes; an empty one is not yet made
// (every stroke of width 2 or more covers at least its caps).
std::vector<std::vector<CStrokeShapes::Run>>& Table(int width)
{
    static std::vector<std::vector<CStrokeShapes::Run>> tables[CStrokeShapes::kMaxWidth - 1];
    std::vector<std::vector<CStrokeShapes::Run>>& table = tables[width - 2];
    if (table.empty())
        table.resize(static_cast<std::size_t>(kSide) * kSide);
    return table;
}

}  // namespace

const std::vector<CStrokeShapes::Run>* CStrokeShapes::Find(long long dx, long long dy, const CRoundCap& cap)
{
    const int width = cap.Width();
    if (width < 2 || width > kMaxWidth || dx < -kMaxDelta || dx > kMaxDelta || dy < -kMaxDelta || dy > kMaxDelta)
        return nullptr;
    std::vector<Run>& shape =
        Table(width)[static_cast<std::size_t>((dy + kMaxDelta) * kSide + (dx + kMaxDelta))];
    if (shape.empty()) {
        const RECT everywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
        ForEachWideLineSpan(0, 0, static_cast<int>(dx), static_cast<int>(dy), cap, everywhere,
                            [&](int y, int xBegin, int xEnd) { shape.push_back(Run{y, xBegin, xEnd}); });
    }
    return &shape;
}
