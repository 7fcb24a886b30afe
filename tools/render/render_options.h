// Command-line options of verdane-render.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CRenderOptions {
    int width = 1024;
    int height = 768;
    std::optional<int> screenWidth;   // the primary screen; the size when absent
    std::optional<int> screenHeight;
    std::optional<std::uint32_t> seed; // the clock when absent
    long long steps = 1000;            // total, the paint's included
    std::int32_t plantSize = 0;
    std::int32_t growthRate = 0;
    std::int32_t blank = 0;
    std::string background;            // empty: all black
    std::string out = "growth.png";
    std::string trace;                 // empty: no trace
};

// The outcome of parsing: options, or a one-line error for the user.
struct CRenderOptionsResult {
    CRenderOptions options;
    std::string error;  // empty on success
    bool help = false;
};

CRenderOptionsResult ParseRenderOptions(const std::vector<std::string>& args);

extern const char* const kRenderUsage;
