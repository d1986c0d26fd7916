// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes.h"

#include <algorithm>
#include <array>

#include "voices.h"

namespace sonatrix::soundgen {
namespace {

// Half a sine wave over `length`: the soft swell of a chirp or a gust.
double Hump(double t, double length) {
    if (t < 0 || t >= length)
        return 0.0;
    return Sine(0.5 * t / length);
}

Samples Chirp(double seconds, double fromHz, double toHz, double vibratoHz = 0.0,
              double vibratoDepth = 0.0) {
    return Voice(
        seconds,
        [=](double t) {
            return GlideHz(t, seconds, fromHz, toHz) * (1.0 + vibratoDepth * Sine(vibratoHz * t));
        },
        [=](double t) { return Hump(t, seconds); }, {1.0, 0.12, 0.04});
}

Samples DualTone(double hzA, double hzB, double seconds) {
    auto gate = [=](double t) { return GateEnvelope(t, 0.01, 0.02, seconds); };
    Samples out = Voice(seconds, [=](double) { return hzA; }, gate, {1.0, 0.1});
    MixInto(out, Voice(seconds, [=](double) { return hzB; }, gate, {1.0, 0.1}), 0.0);
    return out;
}

// A low drum-like hit: a sine that falls in pitch as it dies.
Samples Thump(double fromHz, double toHz, double decay) {
    const double seconds = decay * 6.0;
    return Voice(
        seconds, [=](double t) { return GlideHz(t, decay, fromHz, toHz); },
        [=](double t) { return StrikeEnvelope(t, 0.002, decay); }, {1.0, 0.2});
}

Samples NoiseHit(Rng& rng, double decay, double cutoffHz) {
    Samples out =
        Noise(rng, decay * 6.0, [=](double t) { return StrikeEnvelope(t, 0.001, decay); });
    ApplyLowPass(out, cutoffHz, 2);
    return out;
}

// ---- Intro music -------------------------------------------------------

Samples IntroMusic(Rng&) {
    const double beat = 0.17;
    Samples out = Melody({{76, 1}, {79, 1}, {81, 1}, {79, 1}, {76, 1}, {74, 1}, {72, 2}, {74, 1},
                          {76, 1}, {79, 1}, {84, 1}, {81, 2}, {79, 2}, {76, 1}, {79, 1}, {81, 1},
                          {84, 1}, {86, 1}, {84, 1}, {81, 1}, {79, 1}, {84, 4}},
                         beat, kMarimba, 1.5);
    MixInto(out,
            Melody({{48, 4}, {45, 4}, {41, 4}, {43, 4}, {48, 4}, {41, 2}, {43, 2}, {36, 4}}, beat,
                   kPiano, 2.0),
            0.0, 0.55);
    // A soft held chord under the tune, one per bar.
    const std::array<std::array<int, 3>, 7> chords{{{60, 64, 67},
                                                    {57, 60, 64},
                                                    {53, 57, 60},
                                                    {55, 59, 62},
                                                    {60, 64, 67},
                                                    {53, 57, 60},
                                                    {55, 60, 64}}};
    for (std::size_t bar = 0; bar < chords.size(); ++bar)
        for (int note : chords[bar])
            MixInto(out, Note(NoteHz(note), 4.5 * beat, kReed), 4.0 * beat * bar, 0.12);
    // A sparkle of bells over the last chord.
    const double end = 24.0 * beat;
    MixInto(out, Bell(NoteHz(96), 1.2, 0.5), end, 0.25);
    MixInto(out, Bell(NoteHz(100), 1.1, 0.5), end + 0.09, 0.22);
    MixInto(out, Bell(NoteHz(103), 1.0, 0.5), end + 0.18, 0.2);
    return out;
}

// ---- Animals -----------------------------------------------------------

Samples Cricket(Rng& rng) {
    Samples out;
    for (int chirp = 0; chirp < 4; ++chirp) {
        const double hz = 4400.0 + 60.0 * rng.Signed();
        for (int pulse = 0; pulse < 4; ++pulse) {
            const double at = 0.32 * chirp + 0.024 * pulse;
            MixInto(out,
                    Voice(
                        0.014, [=](double) { return hz; }, [](double t) { return Hump(t, 0.014); },
                        {1.0, 0.25}),
                    at, pulse == 3 ? 0.7 : 1.0);
        }
    }
    return out;
}

Samples BuzzingBee(Rng& rng) {
    const double seconds = 1.4;
    const double wander = rng.Between(0.7, 1.3);
    Samples out = Voice(
        seconds,
        [=](double t) {
            // Passes by: a little higher coming, lower going.
            const double doppler = 1.0 + 0.05 * Cosine(0.5 * t / seconds);
            return 215.0 * doppler * (1.0 + 0.03 * Sine(6.0 * t) + 0.015 * Sine(wander * 2.3 * t));
        },
        [=](double t) { return Hump(t, seconds) * (0.8 + 0.2 * Sine(31.0 * t)); },
        {1.0, 0.55, 0.4, 0.3, 0.24, 0.2, 0.16, 0.13, 0.1, 0.08});
    ApplyLowPass(out, 2600.0);
    return out;
}

Samples Bark(Rng& rng, double fromHz, double toHz, double seconds) {
    Samples source = Voice(
        seconds, [=](double t) { return GlideHz(t, seconds, fromHz, toHz); },
        [=](double t) {
            return StrikeEnvelope(t, 0.008, seconds / 3.0) * GateEnvelope(t, 0.0, 0.05, seconds);
        },
        {1.0, 0.8, 0.7, 0.6, 0.5, 0.4, 0.35, 0.3, 0.25, 0.2, 0.15, 0.1});
    MixInto(source,
            Noise(rng, seconds,
                  [=](double t) {
                      return 0.7 * StrikeEnvelope(t, 0.004, seconds / 4.0) *
                             GateEnvelope(t, 0.0, 0.05, seconds);
                  }),
            0.0);
    Samples out = Resonate(source, {620.0, 1250.0, 2600.0}, 4.0);
    MixInto(out, source, 0.0, 0.25);
    return out;
}

Samples DogBark(Rng& rng) {
    Samples out = Bark(rng, 520.0, 310.0, 0.17);
    MixInto(out, Bark(rng, 480.0, 280.0, 0.19), 0.3);
    return out;
}

Samples BirdRisingChirps(Rng& rng) {
    Samples out;
    for (int i = 0; i < 3; ++i)
        MixInto(out, Chirp(0.085, 2600.0 + 80 * rng.Signed(), 4300.0), 0.15 * i);
    MixInto(out, Chirp(0.22, 4200.0, 3000.0, 22.0, 0.03), 0.48);
    return out;
}

Samples BirdWarble(Rng&) {
    const double seconds = 0.95;
    return Voice(
        seconds,
        [=](double t) {
            return GlideHz(t, seconds, 3800.0, 2500.0) * (1.0 + 0.08 * Sine(28.0 * t));
        },
        [=](double t) { return Hump(t, seconds) * (0.55 + 0.45 * Sine(14.0 * t)); }, {1.0, 0.1});
}

Samples BirdCuckoo(Rng&) {
    Samples out;
    const std::initializer_list<double> flute{1.0, 0.18, 0.06};
    for (int call = 0; call < 2; ++call) {
        const double at = 0.62 * call;
        MixInto(out,
                Voice(
                    0.2, [](double t) { return 660.0 * (1.0 + 0.01 * Sine(5.0 * t)); },
                    [](double t) { return GateEnvelope(t, 0.03, 0.08, 0.2); }, flute),
                at);
        MixInto(out,
                Voice(
                    0.3, [](double t) { return 528.0 * (1.0 + 0.01 * Sine(5.0 * t)); },
                    [](double t) { return GateEnvelope(t, 0.03, 0.15, 0.3); }, flute),
                at + 0.24);
    }
    return out;
}

Samples BirdTrill(Rng& rng) {
    Samples out;
    for (int i = 0; i < 11; ++i) {
        const double loud = Hump(i + 0.5, 11.0);
        MixInto(out, Chirp(0.04, 5000.0 + 150.0 * rng.Signed(), 3500.0), 0.068 * i,
                0.3 + 0.7 * loud);
    }
    return out;
}

Samples BirdSong(Rng&) {
    Samples out = Chirp(0.25, 2000.0, 3000.0);
    MixInto(out, Chirp(0.06, 3600.0, 4400.0), 0.32);
    MixInto(out, Chirp(0.06, 3600.0, 4400.0), 0.42);
    MixInto(out, Chirp(0.32, 3200.0, 3250.0, 12.0, 0.05), 0.55);
    MixInto(out, Chirp(0.2, 3500.0, 2200.0), 0.95);
    MixInto(out, Chirp(0.05, 4200.0, 4800.0), 1.22);
    return out;
}

Samples TigerRoar(Rng& rng) {
    const double seconds = 1.6;
    Samples source = Voice(
        seconds,
        [=](double t) {
            return t < 0.5 ? GlideHz(t, 0.5, 80.0, 135.0) : GlideHz(t - 0.5, 1.1, 135.0, 68.0);
        },
        [=](double t) {
            return GateEnvelope(t, 0.25, 0.6, seconds) * (0.75 + 0.25 * Sine(23.0 * t));
        },
        {1.0, 0.9, 0.8, 0.7, 0.6, 0.5, 0.45, 0.4, 0.35, 0.3, 0.25, 0.2, 0.18, 0.15, 0.12});
    MixInto(source,
            Noise(rng, seconds, [=](double t) { return 0.6 * GateEnvelope(t, 0.2, 0.6, seconds); }),
            0.0);
    Samples out = Resonate(source, {340.0, 820.0, 1650.0}, 3.5);
    MixInto(out, source, 0.0, 0.2);
    ApplyLowPass(out, 3200.0);
    return out;
}

// ---- Daily life --------------------------------------------------------

Samples DoorOpens(Rng& rng) {
    // The creak: stick-slip impulses, faster as the door swings, ringing
    // the hinge and panel.
    Samples impulses(static_cast<std::size_t>(SampleCount(0.72)), 0.0);
    double at = 0.0;
    while (at < 0.7) {
        const double rate = 28.0 + 70.0 * (at / 0.7);
        impulses[static_cast<std::size_t>(SampleCount(at))] = 1.0 * Hump(at, 0.7) + 0.1;
        at += (1.0 + 0.15 * rng.Signed()) / rate;
    }
    Samples out = Resonate(impulses, {680.0, 1420.0, 2350.0}, 14.0);
    // The latch clicks and the door meets its stop.
    Samples click = Noise(rng, 0.02, [](double t) { return StrikeEnvelope(t, 0.0005, 0.004); });
    ApplyHighPass(click, 1500.0);
    MixInto(out, click, 0.76, 0.6);
    MixInto(out, Thump(110.0, 70.0, 0.07), 0.8, 0.9);
    MixInto(out, NoiseHit(rng, 0.03, 900.0), 0.8, 0.5);
    return out;
}

Samples ReminderChime(Rng&) {
    Samples out = Bell(NoteHz(79), 1.3, 0.45);
    MixInto(out, Bell(NoteHz(84), 1.1, 0.45), 0.18);
    MixInto(out, Bell(NoteHz(88), 1.0, 0.5), 0.36);
    return out;
}

// ---- Telephones --------------------------------------------------------

Samples BellPhone(Rng&) {
    // A clapper between two bells, twenty strikes a second.
    Samples out;
    for (int burst = 0; burst < 2; ++burst)
        for (int strike = 0; strike < 14; ++strike)
            MixInto(out, Bell(strike % 2 ? 1480.0 : 1170.0, 0.25, 0.05),
                    0.95 * burst + 0.05 * strike, 0.8);
    return out;
}

Samples DialToneRing(Rng&) {
    return DualTone(440.0, 480.0, 1.2);
}

Samples DoubleRing(Rng&) {
    Samples out;
    for (int i = 0; i < 2; ++i)
        MixInto(out, DualTone(400.0, 450.0, 0.4), 0.6 * i);
    return out;
}

Samples WarblePhone(Rng&) {
    Samples out;
    for (int burst = 0; burst < 2; ++burst) {
        MixInto(out,
                Voice(
                    0.6, [](double t) { return Sine(8.0 * t) >= 0 ? 1000.0 : 1250.0; },
                    [](double t) { return GateEnvelope(t, 0.01, 0.02, 0.6); },
                    {1.0, 0.0, 0.3, 0.0, 0.15}),
                0.85 * burst);
    }
    ApplyLowPass(out, 4000.0);
    return out;
}

Samples MobileTune(Rng&) {
    const double beat = 0.11;
    Samples out;
    for (int phrase = 0; phrase < 2; ++phrase)
        MixInto(out,
                Melody({{84, 0.5}, {88, 0.5}, {91, 0.5}, {88, 0.5}, {86, 1}, {83, 1}, {84, 2}},
                       beat, kMarimba, 1.0),
                phrase * 6.5 * beat);
    return out;
}

// ---- Water, wind and weather -------------------------------------------

Samples WaveCrash(Rng& rng) {
    const double seconds = 1.9;
    Samples out = Noise(rng, seconds, [](double t) { return StrikeEnvelope(t, 0.6, 0.45); });
    LowPass surf(500.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(static_cast<int>(i));
        surf.SetCutoff(400.0 + 2600.0 * StrikeEnvelope(t, 0.55, 0.35));
        out[i] = surf.Process(out[i]);
    }
    Samples rumble = Noise(rng, seconds, [](double t) { return StrikeEnvelope(t, 0.7, 0.6); });
    ApplyLowPass(rumble, 180.0, 2);
    MixInto(out, rumble, 0.0, 2.5);
    return out;
}

Samples Splash(Rng& rng) {
    Samples out;
    const std::array<double, 3> starts{0.0, 0.3, 0.58};
    for (std::size_t i = 0; i < starts.size(); ++i) {
        Samples ripple = Noise(rng, 0.5, [](double t) { return StrikeEnvelope(t, 0.04, 0.12); });
        MixInto(out, Resonate(ripple, {1400.0 + 400.0 * i, 2600.0}, 2.0), starts[i], 1.0 - 0.2 * i);
    }
    // Droplets: tiny rising blips.
    for (int d = 0; d < 6; ++d) {
        const double hz = rng.Between(600.0, 1100.0);
        MixInto(out,
                Voice(
                    0.05, [=](double t) { return GlideHz(t, 0.05, hz, hz * 1.8); },
                    [](double t) { return Hump(t, 0.05); }),
                rng.Between(0.1, 1.0), 0.35);
    }
    return out;
}

Samples Thunder(Rng& rng) {
    Samples crack = Noise(rng, 0.4, [](double t) { return StrikeEnvelope(t, 0.002, 0.05); });
    ApplyHighPass(crack, 500.0);
    const double seconds = 2.0;
    // Rolls: slow random swells of the rumble, blended smoothly.
    std::array<double, 8> rolls{};
    for (double& r : rolls)
        r = rng.Between(0.3, 1.0);
    auto rollAt = [&](double t) {
        const double x = t * 3.5;
        const std::size_t i = static_cast<std::size_t>(x);
        const double blend = 0.5 - 0.5 * Cosine(0.5 * (x - static_cast<double>(i)));
        return rolls[i % rolls.size()] * (1.0 - blend) + rolls[(i + 1) % rolls.size()] * blend;
    };
    Samples rumble = Noise(rng, seconds, [&](double t) {
        return StrikeEnvelope(t, 0.1, 0.6) * GateEnvelope(t, 0.0, 0.3, seconds) * rollAt(t);
    });
    Samples low = rumble;
    ApplyLowPass(low, 120.0, 3);
    ApplyLowPass(rumble, 450.0, 2);
    Samples out = crack;
    MixInto(out, low, 0.04, 16.0);
    MixInto(out, rumble, 0.04, 2.0);
    return out;
}

Samples Rain(Rng& rng) {
    const double seconds = 1.6;
    Samples out =
        Noise(rng, seconds, [=](double t) { return 0.15 * GateEnvelope(t, 0.3, 0.4, seconds); });
    ApplyLowPass(out, 2500.0);
    for (int drop = 0; drop < 90; ++drop) {
        const double hz = rng.Between(2000.0, 5000.0);
        const double at = rng.Between(0.05, seconds - 0.1);
        MixInto(out,
                Voice(
                    0.012, [=](double) { return hz; },
                    [](double t) { return StrikeEnvelope(t, 0.0005, 0.003); }),
                at, rng.Between(0.15, 0.5) * GateEnvelope(at, 0.3, 0.4, seconds));
    }
    return out;
}

Samples Wind(Rng& rng) {
    const double seconds = 2.0;
    const double drift = rng.Between(0.0, 1.0);
    Samples noise = Noise(rng, seconds, [=](double t) {
        return GateEnvelope(t, 0.5, 0.6, seconds) * (0.6 + 0.4 * Sine(0.7 * t + drift));
    });
    BandPass body(500.0, 3.0);
    BandPass whistle(1000.0, 14.0);
    Samples out(noise.size());
    for (std::size_t i = 0; i < noise.size(); ++i) {
        const double t = TimeOf(static_cast<int>(i));
        const double centre = 550.0 + 300.0 * Sine(0.45 * t + drift);
        if (i % 64 == 0) {
            body.Tune(centre, 3.0);
            whistle.Tune(2.0 * centre, 14.0);
        }
        out[i] = body.Process(noise[i]) + 0.6 * whistle.Process(noise[i]);
    }
    return out;
}

// ---- Cartoons ----------------------------------------------------------

Samples Boing(Rng&) {
    const double seconds = 0.9;
    return Voice(
        seconds,
        [](double t) {
            if (t < 0.08)
                return GlideHz(t, 0.08, 170.0, 320.0);
            return 320.0 * (1.0 + 0.25 * Sine(13.0 * (t - 0.08)) * Exp(-(t - 0.08) / 0.3));
        },
        [](double t) { return StrikeEnvelope(t, 0.004, 0.3); }, {1.0, 0.35, 0.12});
}

Samples SlideWhistle(Rng& rng) {
    Samples out = Voice(
        0.92,
        [](double t) {
            const double hz =
                t < 0.45 ? GlideHz(t, 0.45, 600.0, 2000.0) : GlideHz(t - 0.45, 0.45, 2000.0, 500.0);
            return hz * (1.0 + 0.02 * Sine(6.0 * t));
        },
        [](double t) { return GateEnvelope(t, 0.04, 0.08, 0.92); }, {1.0, 0.1, 0.03});
    MixInto(out, NoiseHit(rng, 0.012, 3000.0), 0.94, 1.2);
    MixInto(out, Thump(300.0, 150.0, 0.03), 0.94, 0.8);
    return out;
}

// ---- War and games -----------------------------------------------------

Samples Explosion(Rng& rng) {
    const double seconds = 1.9;
    Samples out = Noise(rng, seconds, [](double t) { return StrikeEnvelope(t, 0.005, 0.45); });
    LowPass blast(4000.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(static_cast<int>(i));
        blast.SetCutoff(150.0 + 3850.0 * Exp(-t / 0.12));
        out[i] = blast.Process(out[i]);
    }
    MixInto(out, Thump(60.0, 32.0, 0.4), 0.0, 0.9);
    // Debris crackling as it falls.
    for (int bit = 0; bit < 25; ++bit) {
        const double at = rng.Between(0.15, 1.4);
        MixInto(out, NoiseHit(rng, 0.004, 5000.0), at, 0.4 * Exp(-at / 0.6));
    }
    return out;
}

Samples Gunshot(Rng& rng) {
    Samples shot = Noise(rng, 0.2, [](double t) { return StrikeEnvelope(t, 0.0008, 0.028); });
    ApplyHighPass(shot, 300.0);
    MixInto(shot, Thump(140.0, 70.0, 0.05), 0.0, 0.8);
    Samples out = shot;
    Samples echo = shot;
    ApplyLowPass(echo, 1500.0);
    MixInto(out, echo, 0.18, 0.35);
    MixInto(out, echo, 0.36, 0.12);
    return out;
}

Samples Punches(Rng& rng) {
    Samples out;
    const std::array<double, 3> hits{0.0, 0.22, 0.5};
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const double strength = i == 2 ? 1.0 : 0.7;
        MixInto(out, Thump(160.0, 55.0, 0.07), hits[i], strength);
        MixInto(out, NoiseHit(rng, 0.015, 2500.0), hits[i], 0.8 * strength);
    }
    // A swing before the last blow.
    Samples swish = Noise(rng, 0.14, [](double t) { return Hump(t, 0.14); });
    BandPass air(500.0, 2.0);
    for (std::size_t i = 0; i < swish.size(); ++i) {
        if (i % 32 == 0)
            air.Tune(GlideHz(TimeOf(static_cast<int>(i)), 0.14, 500.0, 2200.0), 2.0);
        swish[i] = air.Process(swish[i]);
    }
    MixInto(out, swish, 0.36, 0.8);
    return out;
}

// ---- Jingles -----------------------------------------------------------

Samples ArpeggioUp(Rng&) {
    return Melody({{72, 1}, {76, 1}, {79, 1}, {84, 3}}, 0.14, kPiano, 2.0);
}

Samples MarimbaPhrase(Rng&) {
    return Melody({{79, 0.5}, {81, 0.5}, {84, 1}, {86, 0.5}, {88, 0.5}, {86, 1}, {84, 2}}, 0.13,
                  kMarimba, 1.5);
}

// ---- QQ's default sounds -----------------------------------------------

Samples QQMessage(Rng&) {
    return Melody({{96, 1}, {96, 1}}, 0.1, kMarimba, 2.0);
}

Samples QQFolder(Rng&) {
    return Voice(
        0.12, [](double t) { return GlideHz(t, 0.04, 900.0, 600.0); },
        [](double t) { return StrikeEnvelope(t, 0.001, 0.015) * GateEnvelope(t, 0.0, 0.04, 0.12); },
        {1.0, 0.2});
}

Samples QQOnline(Rng&) {
    return Melody({{79, 1}, {86, 2}}, 0.15, kGlock, 2.5);
}

Samples QQCall(Rng&) {
    Samples out;
    for (int phrase = 0; phrase < 2; ++phrase)
        MixInto(out, Melody({{76, 1}, {79, 1}, {76, 1}, {79, 1}}, 0.12, kReed, 0.2), 0.75 * phrase);
    return out;
}

Samples QQRing(Rng&) {
    Samples out;
    for (int phrase = 0; phrase < 2; ++phrase)
        MixInto(out, Melody({{84, 1}, {88, 1}, {91, 1}, {96, 2}}, 0.075, kMarimba, 1.5),
                0.6 * phrase);
    return out;
}

Samples QQSystem(Rng&) {
    Samples out = Bell(NoteHz(84), 0.9, 0.3);
    MixInto(out, Bell(NoteHz(81), 0.8, 0.3), 0.16);
    MixInto(out, Bell(NoteHz(77), 0.7, 0.35), 0.32);
    return out;
}

// ---- MSN Messenger's default sounds ------------------------------------

Samples MsnAlert(Rng&) {
    return Melody({{81, 1}, {88, 2}}, 0.16, kPiano, 2.0);
}

Samples MsnEmail(Rng&) {
    return Melody({{84, 1}, {86, 1}, {88, 1}, {91, 3}}, 0.06, kGlock, 4.0);
}

Samples MsnNudge(Rng& rng) {
    const double seconds = 0.7;
    Samples out = Voice(
        seconds, [](double t) { return 92.0 * (1.0 + 0.02 * Sine(9.0 * t)); },
        [=](double t) {
            return GateEnvelope(t, 0.01, 0.15, seconds) * (0.5 + 0.5 * Sine(18.0 * t));
        },
        {1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14, 0.0, 0.11});
    Samples rattle = Noise(rng, seconds, [=](double t) {
        return 0.5 * GateEnvelope(t, 0.01, 0.15, seconds) * (0.5 + 0.5 * Sine(18.0 * t + 0.5));
    });
    MixInto(out, Resonate(rattle, {800.0}, 5.0), 0.0);
    return out;
}

Samples MsnOnline(Rng&) {
    return Melody({{77, 1}, {81, 1}, {84, 3}}, 0.09, kPiano, 3.0);
}

Samples MsnPhone(Rng&) {
    Samples out;
    for (int burst = 0; burst < 2; ++burst)
        MixInto(out,
                Voice(
                    0.5, [](double t) { return Sine(10.0 * t) >= 0 ? 880.0 : 1100.0; },
                    [](double t) { return GateEnvelope(t, 0.01, 0.03, 0.5); }, {1.0, 0.15}),
                0.7 * burst);
    return out;
}

Samples MsnRing(Rng&) {
    return Melody({{74, 1}, {78, 1}, {81, 1}, {78, 1}, {86, 3}}, 0.11, kReed, 1.0);
}

Samples MsnType(Rng&) {
    Samples out = Voice(
        0.06, [](double t) { return GlideHz(t, 0.06, 500.0, 900.0); },
        [](double t) { return Hump(t, 0.06); }, {1.0, 0.1});
    MixInto(out,
            Voice(
                0.07, [](double t) { return GlideHz(t, 0.07, 700.0, 1200.0); },
                [](double t) { return Hump(t, 0.07); }, {1.0, 0.1}),
            0.09, 0.8);
    return out;
}

Samples MsnDone(Rng&) {
    return Melody({{91, 1}, {88, 1}, {84, 1}, {79, 3}}, 0.09, kGlock, 3.0);
}

constexpr std::array kRecipes{
    Recipe{"newsounds\\片头音乐\\Music9.wav", 5.2, 0.8, IntroMusic},
    Recipe{"newsounds\\动物\\昆虫\\蟋蟀2.wav", 1.3, 0.6, Cricket},
    Recipe{"newsounds\\动物\\昆虫\\Insect6.wav", 1.4, 0.6, BuzzingBee},
    Recipe{"newsounds\\动物\\家畜\\DOG8.WAV", 0.75, 0.8, DogBark},
    Recipe{"newsounds\\动物\\鸟\\Bird1.wav", 0.8, 0.6, BirdRisingChirps},
    Recipe{"newsounds\\动物\\鸟\\Bird32.wav", 1.0, 0.6, BirdWarble},
    Recipe{"newsounds\\动物\\鸟\\Bird105.wav", 1.25, 0.7, BirdCuckoo},
    Recipe{"newsounds\\动物\\鸟\\Bird110.wav", 0.85, 0.6, BirdTrill},
    Recipe{"newsounds\\动物\\鸟\\Bird122.wav", 1.35, 0.6, BirdSong},
    Recipe{"newsounds\\动物\\兽类\\老虎.wav", 1.7, 0.85, TigerRoar},
    Recipe{"newsounds\\日常生活\\开门2.wav", 1.2, 0.8, DoorOpens},
    Recipe{"newsounds\\日常生活\\Reminder.wav", 1.4, 0.7, ReminderChime},
    Recipe{"newsounds\\电话\\PHONE7.WAV", 1.9, 0.7, BellPhone},
    Recipe{"newsounds\\电话\\PHONE11.WAV", 1.5, 0.6, DialToneRing},
    Recipe{"newsounds\\电话\\PHONE13.WAV", 1.3, 0.6, DoubleRing},
    Recipe{"newsounds\\电话\\PHONE17.WAV", 1.6, 0.55, WarblePhone},
    Recipe{"newsounds\\电话\\PHONE41.WAV", 1.7, 0.7, MobileTune},
    Recipe{"newsounds\\浪花朵朵\\Sports41.wav", 1.9, 0.8, WaveCrash},
    Recipe{"newsounds\\浪花朵朵\\Sports42.wav", 1.3, 0.7, Splash},
    Recipe{"newsounds\\风雨雷电\\Game36.wav", 2.0, 0.85, Thunder},
    Recipe{"newsounds\\风雨雷电\\Game77.wav", 1.6, 0.6, Rain},
    Recipe{"newsounds\\风雨雷电\\Wind6.wav", 2.0, 0.7, Wind},
    Recipe{"newsounds\\卡通音效\\Cartoon45.wav", 0.9, 0.7, Boing},
    Recipe{"newsounds\\卡通音效\\Cartoon73.wav", 1.1, 0.7, SlideWhistle},
    Recipe{"newsounds\\战争\\BOMB3.WAV", 1.9, 0.9, Explosion},
    Recipe{"newsounds\\战争\\SHOOT3.WAV", 0.65, 0.85, Gunshot},
    Recipe{"newsounds\\游戏\\Fight191.wav", 0.85, 0.85, Punches},
    Recipe{"newsounds\\乐器\\Joy13.wav", 1.3, 0.7, ArpeggioUp},
    Recipe{"newsounds\\乐器\\Joy123.wav", 1.4, 0.7, MarimbaPhrase},
    Recipe{"qqsounds\\call.wav", 1.6, 0.6, QQCall},
    Recipe{"qqsounds\\folder.wav", 0.3, 0.5, QQFolder},
    Recipe{"qqsounds\\Global.wav", 0.9, 0.6, QQOnline},
    Recipe{"qqsounds\\msg.wav", 0.55, 0.6, QQMessage},
    Recipe{"qqsounds\\ring.wav", 1.35, 0.6, QQRing},
    Recipe{"qqsounds\\system.wav", 1.0, 0.6, QQSystem},
    Recipe{"msnsounds\\newalert.wav", 0.9, 0.6, MsnAlert},
    Recipe{"msnsounds\\newemail.wav", 0.75, 0.6, MsnEmail},
    Recipe{"msnsounds\\nudge.wav", 0.75, 0.65, MsnNudge},
    Recipe{"msnsounds\\online.wav", 0.85, 0.6, MsnOnline},
    Recipe{"msnsounds\\phone.wav", 1.3, 0.55, MsnPhone},
    Recipe{"msnsounds\\ring.wav", 1.1, 0.6, MsnRing},
    Recipe{"msnsounds\\type.wav", 0.35, 0.55, MsnType},
    Recipe{"msnsounds\\vimdone.wav", 0.9, 0.6, MsnDone},
};

}  // namespace

std::span<const Recipe> Recipes() {
    return kRecipes;
}

const Recipe* FindRecipe(std::string_view path) {
    for (const Recipe& recipe : kRecipes)
        if (path == recipe.path)
            return &recipe;
    return nullptr;
}

}  // namespace sonatrix::soundgen
