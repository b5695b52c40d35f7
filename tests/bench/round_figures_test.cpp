// How the benchmark sums up rounds and says a cost: the verdict against a
// baseline needs every round on one side, and no cost inside the spread it
// was measured against is said as a figure.
#include <gtest/gtest.h>

#include "../../bench/round_figures.h"

TEST(RoundFigures, QuantilesInterpolateBetweenRanks) {
    const std::vector<double> samples = {5, 1, 4, 2, 3};
    EXPECT_DOUBLE_EQ(bench::Median(samples), 3);
    EXPECT_DOUBLE_EQ(bench::Quantile(samples, 0.75), 4);
    EXPECT_DOUBLE_EQ(bench::Quantile({1, 2}, 0.75), 1.75);
    EXPECT_DOUBLE_EQ(bench::Quantile({}, 0.5), 0);
}

TEST(RoundFigures, ABuildIsFasterOrSlowerOnlyWhenEveryRoundSaysSo) {
    const struct {
        std::vector<double> ratios;
        const char* verdict;
    } cases[] = {
        {{0.8, 0.9, 0.95}, "faster"},
        {{1.05, 1.2, 1.1}, "slower"},
        {{0.8, 0.9, 1.02}, "the same within the spread"},
        {{0.98, 1.0, 1.3}, "the same within the spread"},
    };
    for (const auto& c : cases) EXPECT_STREQ(bench::Comparison(bench::OfRounds(c.ratios)), c.verdict);
}

TEST(RoundFigures, CostsInsideTheSpreadAreNeverFigures) {
    EXPECT_EQ(bench::CostText(12.34, 2.0), "12.3 us");
    EXPECT_EQ(bench::CostText(1.5, 2.0), "below 2.0 us");
    EXPECT_EQ(bench::CostText(-3.0, 2.0), "below 2.0 us");
    EXPECT_EQ(bench::CostText(-3.0, -1.0), "below 0.0 us");
}
