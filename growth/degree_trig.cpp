#include "degree_trig.h"

#include <array>
#include <cmath>

namespace {

using CTable = std::array<CDegreeTrig, kTrigTableLast - kTrigTableFirst + 1>;

CTable BuildTable()
{
    CTable table{};
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(table.size()); ++i)
        table[static_cast<std::size_t>(i)] = ComputeDegreeTrig(kTrigTableFirst + i);
    return table;
}

// Filled before main, so a lookup needs no guard.
const CTable s_table = BuildTable();

}  // namespace

CDegreeTrig ComputeDegreeTrig(std::int32_t degrees)
{
    const double a = degrees * kDegreesToRadians;
    return CDegreeTrig{std::cos(a), std::sin(a)};
}

const CDegreeTrig* DegreeTrigTable()
{
    return s_table.data();
}
