// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "soundgen/dsp.h"
#include "soundgen/rng.h"
#include "soundgen/voices.h"

namespace sonatrix::soundgen {
namespace {

// The generator's own sine and exp stand in for the C library's: they must
// be as good as it to 16-bit precision and beyond.
TEST(SoundgenMath, SineAndExpMatchTheLibraryOverTheirWholeRange) {
    for (double cycles = -3.0; cycles <= 3.0; cycles += 0.0137)
        EXPECT_NEAR(Sine(cycles), std::sin(2.0 * kPi * cycles), 1e-7) << cycles;
    for (double x = -40.0; x <= 5.0; x += 0.173)
        EXPECT_NEAR(Exp(x) / std::exp(x), 1.0, 1e-9) << x;
    EXPECT_EQ(Exp(-100.0), 0.0);
}

TEST(SoundgenMath, NotesAreEqualTemperedAroundA440) {
    EXPECT_DOUBLE_EQ(NoteHz(69), 440.0);
    EXPECT_DOUBLE_EQ(NoteHz(57), 220.0);
    EXPECT_DOUBLE_EQ(NoteHz(93), 1760.0);
    EXPECT_NEAR(NoteHz(60), 261.6256, 1e-4);
    EXPECT_NEAR(NoteHz(47), 123.4708, 1e-4);
}

TEST(SoundgenMath, AGlideMovesEvenlyInPitch) {
    EXPECT_DOUBLE_EQ(GlideHz(0.0, 1.0, 300.0, 1200.0), 300.0);
    EXPECT_NEAR(GlideHz(0.5, 1.0, 300.0, 1200.0), 600.0, 1e-6);
    EXPECT_NEAR(GlideHz(1.0, 1.0, 300.0, 1200.0), 1200.0, 1e-6);
    EXPECT_NEAR(GlideHz(0.5, 1.0, 4000.0, 1000.0), 2000.0, 1e-6);
    EXPECT_NEAR(GlideHz(2.0, 1.0, 300.0, 1200.0), 1200.0, 1e-6);  // holds at the end
}

// The published first outputs of SplitMix64 from seed 0: the noise is the
// same on every machine because the generator is exactly this one.
TEST(SoundgenRng, IsSplitMix64) {
    Rng rng(0);
    EXPECT_EQ(rng.Next(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(rng.Next(), 0x6E789E6AA1B965F4ull);
    EXPECT_EQ(rng.Next(), 0x06C45D188009454Full);
    Rng unit(SeedOf("newsounds"));
    for (int i = 0; i < 1000; ++i) {
        const double u = unit.Unit();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

TEST(SoundgenFilters, ABandPassPassesItsCentreAndStopsFarFrequencies) {
    auto gainAt = [](double hz) {
        BandPass filter(1000.0, 5.0);
        double peak = 0.0;
        for (int i = 0; i < SampleCount(0.5); ++i) {
            const double y = filter.Process(Sine(hz * TimeOf(i)));
            if (i > SampleCount(0.25))
                peak = std::max(peak, std::fabs(y));
        }
        return peak;
    };
    EXPECT_NEAR(gainAt(1000.0), 1.0, 0.02);
    EXPECT_LT(gainAt(100.0), 0.05);
    EXPECT_LT(gainAt(8000.0), 0.05);
}

}  // namespace
}  // namespace sonatrix::soundgen
