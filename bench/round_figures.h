// What the benchmark makes of figures measured in rounds: quantiles, the
// spread of per-round ratios, a build judged against another, and a cost
// said only as finely as it was resolved.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// The q-quantile (q from 0 to 1) of `samples`, interpolated between the two
// nearest ranks; 0 for no samples.
inline double Quantile(std::vector<double> samples, double q) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const double at = std::clamp(q, 0.0, 1.0) * static_cast<double>(samples.size() - 1);
    const size_t below = static_cast<size_t>(at);
    const size_t above = std::min(below + 1, samples.size() - 1);
    return samples[below] + (samples[above] - samples[below]) * (at - static_cast<double>(below));
}

inline double Median(const std::vector<double>& samples) {
    return Quantile(samples, 0.5);
}

// One ratio per round, summed up: the middle one, the extremes, and the
// upper quartile, which a target is judged on (three rounds in four at or
// under it).
struct RoundRatios {
    double median = 0, lowest = 0, highest = 0, upperQuartile = 0;
};

inline RoundRatios OfRounds(const std::vector<double>& ratios) {
    RoundRatios r;
    if (ratios.empty()) return r;
    r.median = Median(ratios);
    r.lowest = *std::min_element(ratios.begin(), ratios.end());
    r.highest = *std::max_element(ratios.begin(), ratios.end());
    r.upperQuartile = Quantile(ratios, 0.75);
    return r;
}

// This build against a baseline from the rounds' ratios (this / baseline, of
// times): faster only when every round says so, slower likewise.
inline const char* Comparison(const RoundRatios& r) {
    if (r.highest < 1) return "faster";
    if (r.lowest > 1) return "slower";
    return "the same within the spread";
}

// A cost beside the spread of what it was measured against: the figure
// where it rises above that spread, otherwise "below <spread>". Never
// negative.
inline std::string CostText(double cost, double resolution, const char* format = "%.1f us",
                            const char* belowFormat = "below %.1f us") {
    char text[64];
    if (cost > resolution)
        std::snprintf(text, sizeof text, format, cost);
    else
        std::snprintf(text, sizeof text, belowFormat, std::max(resolution, 0.0));
    return text;
}

}  // namespace bench
