// SPDX-License-Identifier: GPL-3.0-or-later
// Instruments built from the signal pieces: pitched voices, bells, notes,
// melodies and shaped noise. Each recipe of the library combines a few.
#pragma once

#include <cmath>
#include <initializer_list>
#include <vector>

#include "dsp.h"
#include "rng.h"

namespace sonatrix::soundgen {

// 1 well below the Nyquist frequency, falling to 0 at it: a harmonic that a
// glide carries past the limit fades out instead of clicking off.
inline double BelowNyquist(double hz) {
    constexpr double kNyquist = kSampleRate / 2.0;
    constexpr double kFadeBand = 0.15 * kNyquist;
    if (hz >= kNyquist)
        return 0.0;
    return hz <= kNyquist - kFadeBand ? 1.0 : (kNyquist - hz) / kFadeBand;
}

// A tone whose frequency and loudness follow `freqAt(t)` and `envAt(t)`,
// with harmonics of the given strengths (the first is the fundamental).
// Harmonics near and above the Nyquist frequency are left out.
template <typename FreqAt, typename EnvAt>
Samples Voice(double seconds, FreqAt freqAt, EnvAt envAt,
              std::initializer_list<double> harmonics = {1.0}) {
    Samples out(static_cast<std::size_t>(SampleCount(seconds)));
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(static_cast<int>(i));
        const double hz = freqAt(t);
        phase += hz / kSampleRate;
        phase -= std::floor(phase);
        double sum = 0.0;
        int k = 1;
        for (double strength : harmonics) {
            sum += strength * BelowNyquist(hz * k) * Sine(phase * k);
            ++k;
        }
        out[i] = sum * envAt(t);
    }
    return out;
}

// White noise shaped by `envAt(t)`.
template <typename EnvAt>
Samples Noise(Rng& rng, double seconds, EnvAt envAt) {
    Samples out(static_cast<std::size_t>(SampleCount(seconds)));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = rng.Signed() * envAt(TimeOf(static_cast<int>(i)));
    return out;
}

void ApplyLowPass(Samples& samples, double cutoffHz, int poles = 1);
void ApplyHighPass(Samples& samples, double cutoffHz);
// Sum of band-passes: the formants of a voice, the modes of a body.
Samples Resonate(const Samples& source, std::initializer_list<double> centresHz, double q);

// A frequency glide from `fromHz` to `toHz` over `seconds`, even in pitch.
double GlideHz(double t, double seconds, double fromHz, double toHz);

// A struck bell: inharmonic partials, the higher ones dying sooner.
Samples Bell(double hz, double seconds, double decay);

// The colour of a note: harmonic strengths and how it starts and dies.
struct Timbre {
    std::vector<double> harmonics;
    double attack;
    double decay;  // time constant of the exponential fall
};
extern const Timbre kMarimba;
extern const Timbre kPiano;
extern const Timbre kGlock;
extern const Timbre kReed;

Samples Note(double hz, double seconds, const Timbre& timbre);

struct MelodyNote {
    int note;      // MIDI note number, 0 for a rest
    double beats;  // length
};
// Plays the notes one after another at `beatSeconds` a beat; each note
// rings for `ring` beats' worth past its own length.
Samples Melody(std::initializer_list<MelodyNote> notes, double beatSeconds, const Timbre& timbre,
               double ring = 1.0);

}  // namespace sonatrix::soundgen
