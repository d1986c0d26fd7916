// SPDX-License-Identifier: GPL-3.0-or-later
// Signal pieces for the generated sounds. The transcendental functions are
// our own polynomials built from + - * / only, so that a sound does not
// depend on the C library's sin or exp and comes out the same everywhere.
#pragma once

#include <vector>

namespace sonatrix::soundgen {

inline constexpr int kSampleRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;

// Samples at kSampleRate, nominally within [-1, 1].
using Samples = std::vector<double>;

// sin(2 pi cycles).
double Sine(double cycles);
double Cosine(double cycles);
double Exp(double x);
// The frequency of MIDI note `note` (69 is A4, 440 Hz) in equal temperament.
double NoteHz(int note);

int SampleCount(double seconds);
double TimeOf(int index);

// Adds `source` times `gain` into `target` from `atSeconds` on, growing the
// target as needed.
void MixInto(Samples& target, const Samples& source, double atSeconds, double gain = 1.0);
// Multiplies every sample by `gain`.
void Scale(Samples& samples, double gain);
// Short fades at both ends, so that no sound starts or stops with a click.
void FadeEnds(Samples& samples, double seconds = 0.005);

// Envelope that rises linearly over `attack`, then falls exponentially with
// time constant `decay`.
double StrikeEnvelope(double t, double attack, double decay);
// Linear attack, flat, linear release ending at `length`.
double GateEnvelope(double t, double attack, double release, double length);

class LowPass {
  public:
    explicit LowPass(double cutoffHz) { SetCutoff(cutoffHz); }
    void SetCutoff(double cutoffHz);
    double Process(double x) {
        state_ += coefficient_ * (x - state_);
        return state_;
    }

  private:
    double coefficient_ = 0.0;
    double state_ = 0.0;
};

class HighPass {
  public:
    explicit HighPass(double cutoffHz) : low_(cutoffHz) {}
    double Process(double x) { return x - low_.Process(x); }

  private:
    LowPass low_;
};

// Two-pole band-pass with unity gain at its centre: formants and resonances.
class BandPass {
  public:
    BandPass(double centreHz, double q) { Tune(centreHz, q); }
    void Tune(double centreHz, double q);
    double Process(double x);

  private:
    double b0_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace sonatrix::soundgen
