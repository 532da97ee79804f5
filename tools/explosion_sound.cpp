#include "tools/explosion_sound.h"

#include "tools/pcg32.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// One-pole low-pass coefficient for a cutoff in Hz.
double lowPassCoefficient(double cutoff, double rate) {
    return 1.0 - std::exp(-kTwoPi * cutoff / rate);
}

} // namespace

std::vector<std::int16_t> makeExplosionSound() {
    constexpr double rate = explosionSampleRate;
    constexpr double duration = 0.5;
    constexpr double attack = 0.003;
    constexpr double release = 0.03; // ends at exact silence: no click when playback stops
    const auto count = static_cast<std::size_t>(duration * rate);

    std::vector<double> mix(count);
    Pcg32 random(0xb00du);
    double low1 = 0.0;
    double low2 = 0.0;
    double low3 = 0.0;
    double phase = 0.0;
    double dcIn = 0.0;
    double dcOut = 0.0;
    const double dcPole = 1.0 - kTwoPi * 20.0 / rate;
    for (std::size_t n = 0; n < count; ++n) {
        const double t = n / rate;
        const double white = random.uniform(-1.0, 1.0);

        // Rumble: three one-pole stages whose cutoff sinks from a crack to a deep roll.
        const double cutoff = 180.0 + 3200.0 * std::exp(-t / 0.035);
        const double a = lowPassCoefficient(cutoff, rate);
        low1 += a * (white - low1);
        low2 += a * (low1 - low2);
        low3 += a * (low2 - low3);
        // Low-passed noise loses level as the cutoff falls; give some of it back.
        const double rumble = low3 * std::sqrt(3400.0 / cutoff) * std::exp(-t / 0.11);

        // Thump: a sine gliding from about 150 Hz down to 45 Hz.
        const double frequency = 45.0 + 105.0 * std::exp(-t / 0.06);
        phase += kTwoPi * frequency / rate;
        const double thump = std::sin(phase) * std::exp(-t / 0.14);

        // Crack: unfiltered noise for the first few milliseconds of the impact.
        const double crack = white * std::exp(-t / 0.004);

        const double rise = t < attack ? std::sin(0.25 * kTwoPi * t / attack) : 1.0;
        const double left = duration - t;
        const double fall = left < release ? left / release : 1.0;
        const double sample = (1.1 * rumble + 0.85 * thump + 0.25 * crack) * rise * rise * fall;

        // Remove the DC the noise filters leave.
        dcOut = sample - dcIn + dcPole * dcOut;
        dcIn = sample;
        mix[n] = dcOut;
    }

    double peak = 0.0;
    for (double s : mix) {
        peak = std::max(peak, std::fabs(s));
    }
    const double target = 32767.0 * std::pow(10.0, -1.0 / 20.0);
    const double gain = peak > 0.0 ? target / peak : 0.0;
    std::vector<std::int16_t> samples(count);
    for (std::size_t n = 0; n < count; ++n) {
        samples[n] = static_cast<std::int16_t>(std::lround(mix[n] * gain));
    }
    return samples;
}
