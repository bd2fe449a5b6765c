// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "Harness.h"
#include "engine/Checked.h"
#include "engine/Stamp.h"

namespace enginetest {
namespace {

using ::testing::HasSubstr;

TEST(Stamp, RoundsToTheNearestSecondWithHalvesToEven) {
    struct Case {
        float reading;
        std::int32_t stamp;
    };
    const Case cases[] = {
        {100.3f, 100}, {100.4f, 100}, {100.5f, 100}, {100.6f, 101}, {100.7f, 101},
        {101.5f, 102}, {0.0f, 0},     {0.5f, 0},     {1.5f, 2},     {86399.7f, 86400},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TakeStamp(c.reading), c.stamp) << "reading " << c.reading;
    }
}

TEST(Stamp, OutOfRangeReadingIsFatalAndNamesTheField) {
    try {
        TakeStamp(3.0e9f, "timer4Start");
        FAIL() << "no failure";
    } catch (const FatalError& e) {
        EXPECT_THAT(e.what(), HasSubstr("timer4Start"));
    }
    EXPECT_THROW(TakeStamp(std::numeric_limits<float>::quiet_NaN()), FatalError);
}

TEST(Stamp, WaitCountsOnAcrossMidnight) {
    struct Case {
        float reading;
        std::int32_t stamp;
        double waited;
    };
    const Case cases[] = {
        {101.3f, 100, 1.3},      // an ordinary wait
        {99.6f, 100, -0.4},      // stamp rounded up past the reading: no wrap
        {0.2f, 86400, 0.2},      // armed at 86399.7, read after midnight
        {0.3f, 86399, 1.3},      // armed at 86399.3
        {3.5f, 86398, 5.5},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(SecondsSinceStamp(c.reading, c.stamp), c.waited, 1e-4)
            << "reading " << c.reading << ", stamp " << c.stamp;
    }
}

// A wait ends by its threshold, across midnight too; a clock that went
// back ends it instead of holding it until the clock catches up.
TEST(Stamp, WaitIsOverByItsThresholdOrWhenTheClockWentBack) {
    struct Case {
        const char* what;
        float reading;
        std::int32_t stamp;
        double threshold;
        bool over;
    };
    const Case cases[] = {
        {"1.3 s waited", 101.3f, 100, 1.0, true},
        {"0.9 s waited", 100.9f, 100, 1.0, false},
        {"exactly the threshold", 104.0f, 100, 4.0, false},
        {"stamp rounded up past the reading", 99.6f, 100, 1.0, false},
        {"stamp half a second after the reading", 99.5f, 100, 1.0, false},
        {"armed at 86399.7, read just after midnight", 0.2f, 86400, 1.0, false},
        {"armed at 86399.3, read at 0.6", 0.6f, 86399, 1.0, true},
        {"Timer6 across midnight, 3.5 s", 1.5f, 86398, 4.0, false},
        {"Timer6 across midnight, 5.5 s", 3.5f, 86398, 4.0, true},
        {"clock set back by 0.6 s", 99.4f, 100, 1.0, true},
        {"clock set back by ten minutes", 400.3f, 1000, 1.0, true},
        {"Timer6, clock set back by an hour", 36000.0f, 39600, 4.0, true},
        {"slept 13 hours across midnight", 46400.3f, 86000, 1.0, true},
        {"slept 5 hours across midnight", 17600.3f, 86000, 1.0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WaitIsOver(c.reading, c.stamp, c.threshold), c.over) << c.what;
    }
}

TEST(Checked, ResultsOutsideTheTypeAreFatalAndNamed) {
    EXPECT_EQ(Checked16(32767, "score"), 32767);
    EXPECT_EQ(Checked16(-32768, "score"), -32768);
    for (const long long bad : {32768LL, -32769LL, 100000LL}) {
        try {
            Checked16(bad, "score");
            FAIL() << bad << " accepted";
        } catch (const FatalError& e) {
            EXPECT_THAT(e.what(), HasSubstr("score"));
            EXPECT_THAT(e.what(), HasSubstr(std::to_string(bad)));
        }
    }
    EXPECT_THROW(Checked32(2147483648LL, "timer1Start"), FatalError);
    EXPECT_THROW(RoundedInt<std::int16_t>(32767.6, "gaugeHomeLeft"), FatalError);
    EXPECT_EQ(RoundedInt<std::int16_t>(32767.4, "gaugeHomeLeft"), 32767);
}

TEST(Checked, RoundHalfEven) {
    const std::array<std::pair<double, double>, 8> cases{{
        {0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {-0.5, 0.0}, {-1.5, -2.0}, {2.4999, 2.0}, {2.5001, 3.0},
        {-2.6, -3.0},
    }};
    for (const auto& [x, rounded] : cases) {
        EXPECT_EQ(RoundHalfEven(x), rounded) << x;
    }
}

TEST(Checked, TableIndexOutsideItsTableIsFatal) {
    std::array<std::int16_t, 31> table{};
    At(table, 30, "recentQueue") = 7;
    EXPECT_EQ(table[30], 7);
    for (const long long bad : {31LL, -1LL}) {
        try {
            At(table, bad, "recentQueue");
            FAIL() << bad << " accepted";
        } catch (const FatalError& e) {
            EXPECT_THAT(e.what(), HasSubstr("recentQueue(" + std::to_string(bad) + ")"));
        }
    }
}

class FrozenClock final : public Clock {
public:
    float SecondsSinceMidnight() override { return reading; }
    float reading = 43200.25f;
};

TEST(ClockFoldedRandom, ReseedAtAnUnchangedReadingNeverRepeatsTheDrawBefore) {
    FrozenClock clock;
    ClockFoldedRandom random(clock, 42);
    std::set<float> seen;
    float previous = random.Draw();
    for (int i = 0; i < 10000; ++i) {
        random.Reseed();
        const float r = random.Draw();
        ASSERT_NE(r, previous) << "draw " << i;
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        seen.insert(r);
        previous = r;
    }
    // A sequence that restarted at each re-seed would give one value.
    EXPECT_GT(seen.size(), 9950u);
}

TEST(ClockFoldedRandom, TheReadingIsFoldedIntoTheState) {
    FrozenClock clockA;
    FrozenClock clockB;
    ClockFoldedRandom a(clockA, 7);
    ClockFoldedRandom b(clockB, 7);
    EXPECT_EQ(a.Draw(), b.Draw());
    a.Reseed();
    b.Reseed();
    EXPECT_EQ(a.Draw(), b.Draw()) << "same seed and readings: the same run";
    clockB.reading = 43201.0f;
    a.Reseed();
    b.Reseed();
    EXPECT_NE(a.Draw(), b.Draw()) << "another reading leads elsewhere";
}

TEST(ClockFoldedRandom, DrawsStayBelowOneAndMapOntoAllQuestions) {
    EXPECT_EQ(ClockFoldedRandom::UnitFloat(0), 0.0f);
    const float top = ClockFoldedRandom::UnitFloat(std::numeric_limits<std::uint64_t>::max());
    EXPECT_LT(top, 1.0f);
    EXPECT_EQ(top, 1.0f - std::ldexp(1.0f, -24));
    EXPECT_EQ(QuestionNumberFor(0.0f, 26), 1);
    EXPECT_EQ(QuestionNumberFor(top, 26), 26);
    EXPECT_EQ(QuestionNumberFor(0.5f, 26), 14);

    FrozenClock clock;
    ClockFoldedRandom random(clock, 3);
    std::array<int, 27> counts{};
    for (int i = 0; i < 26000; ++i) {
        random.Reseed();
        const int q = QuestionNumberFor(random.Draw(), 26);
        ASSERT_GE(q, 1);
        ASSERT_LE(q, 26);
        ++counts[static_cast<std::size_t>(q)];
    }
    for (int q = 1; q <= 26; ++q) {
        EXPECT_NEAR(counts[static_cast<std::size_t>(q)], 1000, 150) << "question " << q;
    }
}

}  // namespace
}  // namespace enginetest
