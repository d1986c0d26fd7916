// SPDX-License-Identifier: GPL-3.0-or-later
#include "voices.h"

#include <algorithm>
#include <array>

namespace sonatrix::soundgen {

void ApplyLowPass(Samples& samples, double cutoffHz, int poles) {
    for (int p = 0; p < poles; ++p) {
        LowPass filter(cutoffHz);
        for (double& s : samples)
            s = filter.Process(s);
    }
}

void ApplyHighPass(Samples& samples, double cutoffHz) {
    HighPass filter(cutoffHz);
    for (double& s : samples)
        s = filter.Process(s);
}

Samples Resonate(const Samples& source, std::initializer_list<double> centresHz, double q) {
    Samples out(source.size(), 0.0);
    for (double centre : centresHz) {
        BandPass filter(centre, q);
        for (std::size_t i = 0; i < source.size(); ++i)
            out[i] += filter.Process(source[i]);
    }
    return out;
}

double GlideHz(double t, double seconds, double fromHz, double toHz) {
    // Even in pitch: fromHz * ratio^progress, with ln(ratio) from the atanh
    // series, which converges fast for any musical ratio.
    const double progress = std::clamp(t / seconds, 0.0, 1.0);
    const double ratio = toHz / fromHz;
    const double y = (ratio - 1.0) / (ratio + 1.0);
    double term = y;
    double lnRatio = 0.0;
    for (int n = 1; n < 40; n += 2) {
        lnRatio += term / n;
        term *= y * y;
    }
    return fromHz * Exp(progress * 2.0 * lnRatio);
}

Samples Bell(double hz, double seconds, double decay) {
    static constexpr std::array<double, 5> kRatios{1.0, 2.0, 2.76, 4.07, 5.43};
    static constexpr std::array<double, 5> kStrengths{1.0, 0.45, 0.35, 0.18, 0.1};
    Samples out(static_cast<std::size_t>(SampleCount(seconds)), 0.0);
    for (std::size_t p = 0; p < kRatios.size(); ++p) {
        const double partialHz = hz * kRatios[p];
        if (partialHz >= kSampleRate / 2)
            continue;
        const double partialDecay = decay / (1.0 + 0.8 * static_cast<double>(p));
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = TimeOf(static_cast<int>(i));
            out[i] += kStrengths[p] * Sine(partialHz * t) * StrikeEnvelope(t, 0.002, partialDecay);
        }
    }
    return out;
}

const Timbre kMarimba{{1.0, 0.0, 0.0, 0.35, 0.0, 0.0, 0.0, 0.0, 0.0, 0.08}, 0.003, 0.18};
const Timbre kPiano{{1.0, 0.5, 0.3, 0.2, 0.12, 0.08, 0.05}, 0.004, 0.35};
const Timbre kGlock{{1.0, 0.0, 0.3, 0.0, 0.15}, 0.002, 0.45};
const Timbre kReed{{1.0, 0.2, 0.45, 0.1, 0.25, 0.05, 0.12}, 0.02, 0.6};

Samples Note(double hz, double seconds, const Timbre& timbre) {
    Samples out(static_cast<std::size_t>(SampleCount(seconds)), 0.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(static_cast<int>(i));
        phase += hz / kSampleRate;
        phase -= std::floor(phase);
        double sum = 0.0;
        for (std::size_t k = 0; k < timbre.harmonics.size(); ++k) {
            const double strength = timbre.harmonics[k];
            if (strength == 0.0 || hz * static_cast<double>(k + 1) >= kSampleRate / 2)
                continue;
            // Upper harmonics fade faster, as on struck and plucked bodies.
            const double fade = Exp(-t * static_cast<double>(k) / (4.0 * timbre.decay));
            sum += strength * fade * Sine(phase * static_cast<double>(k + 1));
        }
        // A release at the end, so that a note cut short by the next does
        // not choke.
        const double release = std::min(0.06, 0.3 * seconds);
        out[i] = sum * StrikeEnvelope(t, timbre.attack, timbre.decay) *
                 GateEnvelope(t, 0.0, release, seconds);
    }
    return out;
}

Samples Melody(std::initializer_list<MelodyNote> notes, double beatSeconds, const Timbre& timbre,
               double ring) {
    Samples out;
    double at = 0.0;
    for (const MelodyNote& n : notes) {
        if (n.note > 0)
            MixInto(out, Note(NoteHz(n.note), (n.beats + ring) * beatSeconds, timbre), at);
        at += n.beats * beatSeconds;
    }
    return out;
}

}  // namespace sonatrix::soundgen
