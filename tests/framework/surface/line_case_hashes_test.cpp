// Our drawing of every line case, pinned by the hashes recorded from output
// that the comparison program found equal to GDI's pixel for pixel. A
// change here means the surface context no longer draws what GDI draws:
// rerun the comparison under Wine before recording new hashes.
#include "line_cases.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct CRecordedHash {
    const char* name;
    std::uint64_t hash;
};

const CRecordedHash kRecorded[] = {
#include "line_case_hashes.inc"
};

TEST(LineCases, OutputMatchesTheVerifiedHashes)
{
    std::map<std::string, std::uint64_t> recorded;
    for (const CRecordedHash& r : kRecorded)
        recorded[r.name] = r.hash;
    const std::vector<CLineCase> cases = AllLineCases();
    EXPECT_EQ(cases.size(), recorded.size()) << "every case has one recorded hash";
    for (const CLineCase& c : cases) {
        const auto it = recorded.find(c.name);
        if (it == recorded.end()) {
            ADD_FAILURE() << "no recorded hash for " << c.name;
            continue;
        }
        char actual[32];
        std::snprintf(actual, sizeof actual, "%016llx", static_cast<unsigned long long>(HashOfCase(c)));
        char expected[32];
        std::snprintf(expected, sizeof expected, "%016llx", static_cast<unsigned long long>(it->second));
        EXPECT_STREQ(actual, expected) << c.name;
    }
}

}  // namespace
