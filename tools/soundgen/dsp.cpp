// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace sonatrix::soundgen {

double Sine(double cycles) {
    // Reduce to a quarter wave, where eleven Taylor terms are exact to 1e-7.
    double x = 2.0 * kPi * (cycles - std::floor(cycles + 0.5));
    if (x > kPi / 2)
        x = kPi - x;
    else if (x < -kPi / 2)
        x = -kPi - x;
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 6; ++n) {
        term *= -x2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

double Cosine(double cycles) {
    return Sine(cycles + 0.25);
}

double Exp(double x) {
    if (x < -60.0)
        return 0.0;
    // Halve until the series converges at once, then square back up.
    int halvings = 0;
    while (x > 1.0 / 64 || x < -1.0 / 64) {
        x *= 0.5;
        ++halvings;
    }
    double sum = 1.0;
    double term = 1.0;
    for (int n = 1; n <= 6; ++n) {
        term *= x / n;
        sum += term;
    }
    for (int i = 0; i < halvings; ++i)
        sum *= sum;
    return sum;
}

double NoteHz(int note) {
    // 2^(k/12) written out, so that no pow() is involved.
    static constexpr std::array<double, 12> kRatios{
        1.0,
        1.0594630943592953,
        1.1224620483093730,
        1.1892071150027210,
        1.2599210498948732,
        1.3348398541700344,
        1.4142135623730951,
        1.4983070768766815,
        1.5874010519681994,
        1.6817928305074290,
        1.7817974362806785,
        1.8877486253633868,
    };
    int fromA = note - 69;
    int octave = fromA >= 0 ? fromA / 12 : -((11 - fromA) / 12);
    double hz = 440.0 * kRatios[fromA - 12 * octave];
    for (; octave > 0; --octave)
        hz *= 2.0;
    for (; octave < 0; ++octave)
        hz *= 0.5;
    return hz;
}

int SampleCount(double seconds) {
    return static_cast<int>(seconds * kSampleRate + 0.5);
}

double TimeOf(int index) {
    return static_cast<double>(index) / kSampleRate;
}

void MixInto(Samples& target, const Samples& source, double atSeconds, double gain) {
    const std::size_t start = static_cast<std::size_t>(SampleCount(atSeconds));
    if (target.size() < start + source.size())
        target.resize(start + source.size(), 0.0);
    for (std::size_t i = 0; i < source.size(); ++i)
        target[start + i] += gain * source[i];
}

void Scale(Samples& samples, double gain) {
    for (double& s : samples)
        s *= gain;
}

void FadeEnds(Samples& samples, double seconds) {
    const std::size_t n =
        std::min(samples.size() / 2, static_cast<std::size_t>(SampleCount(seconds)));
    for (std::size_t i = 0; i < n; ++i) {
        const double g = static_cast<double>(i) / static_cast<double>(n);
        samples[i] *= g;
        samples[samples.size() - 1 - i] *= g;
    }
}

double StrikeEnvelope(double t, double attack, double decay) {
    if (t < 0)
        return 0.0;
    if (t < attack)
        return t / attack;
    return Exp(-(t - attack) / decay);
}

double GateEnvelope(double t, double attack, double release, double length) {
    if (t < 0 || t >= length)
        return 0.0;
    if (t < attack)
        return t / attack;
    if (t > length - release)
        return (length - t) / release;
    return 1.0;
}

void LowPass::SetCutoff(double cutoffHz) {
    coefficient_ = 1.0 - Exp(-2.0 * kPi * cutoffHz / kSampleRate);
}

void BandPass::Tune(double centreHz, double q) {
    const double w = centreHz / kSampleRate;
    const double alpha = Sine(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2.0 * Cosine(w) / a0;
    a2_ = (1.0 - alpha) / a0;
}

double BandPass::Process(double x) {
    const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

}  // namespace sonatrix::soundgen
