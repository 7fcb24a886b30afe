#include "branch.h"

#include "degree_trig.h"
#include "growth_math.h"

#include <cmath>

namespace {

constexpr double kShrink = 0.85;
constexpr double kColorCreep = 1.000005;

// Survival range of a direction; a fresh one may start up to 150 degrees,
// so a branch that starts beyond 120 draws one segment and dies.
constexpr std::int32_t kMinAngle = 30;
constexpr std::int32_t kMaxAngle = 120;

}  // namespace

void CBranch::Reset(std::int32_t height, double sizeFactor, bool small)
{
    const double r1 = UnitRandom();
    m_length = RoundNearest((r1 * (height / 600) + height / 200) * sizeFactor);
    if (small) {
        const double r2 = UnitRandom();
        m_length = Truncate((r2 * 3 + 3) * sizeFactor);
    }
    m_angle = RoundNearest(UnitRandom() * 120 + 30);
    const auto green = static_cast<std::uint32_t>(Truncate(UnitRandom() * 145 + 40));
    const auto blue = static_cast<std::uint32_t>(Truncate(UnitRandom() * 40));
    const auto red = static_cast<std::uint32_t>(Truncate(UnitRandom() * 40));
    m_color = (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
    m_penWidth = 2;
    m_count = 0;
}

bool CBranch::Grow(CDC& dc)
{
    CPen pen(PS_INSIDEFRAME, m_penWidth, m_color);
    CPen* previous = dc.SelectObject(&pen);

    dc.MoveTo(m_x, m_y);
    const CDegreeTrig trig = DegreeTrig(m_angle);
    const std::int32_t nx = RoundNearest(m_x + m_length * trig.cos);
    const std::int32_t ny = RoundNearest(m_y - m_length * trig.sin);
    dc.LineTo(nx, ny);

    m_x = nx;
    m_y = ny;
    m_count += 1;
    m_length = Truncate(m_length * kShrink);
    // The colour creeps up by the whole part of five millionths of its value;
    // the product can pass 2^32, and only its low 32 bits are kept.
    m_color = static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::trunc(m_color * kColorCreep)));

    // Bend away from straight up: the bound is rounded to single precision.
    const float bound = static_cast<float>(UnitRandom() * 30);
    const std::int32_t bend = Truncate(UnitRandom() * static_cast<double>(bound));
    if (m_angle > 90)
        m_angle += bend;
    else
        m_angle -= bend;

    bool forks = false;
    if (m_count > UnitRandom() * 100) {
        m_active = false;  // died of age
    } else if (m_angle < kMinAngle || m_angle > kMaxAngle || m_length < 2) {
        m_active = false;  // died of shape
    } else if (m_count * 40 > UnitRandom() * 100) {
        m_penWidth = m_penWidth - 1 < 1 ? 1 : m_penWidth - 1;
        forks = true;
    }

    dc.SelectObject(previous);
    return forks;
}
