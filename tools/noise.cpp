#include "tools/noise.h"

#include <cmath>

namespace {

// Integer hash of a lattice point (a murmur-style finaliser): cheap and well mixed.
std::uint32_t hashLattice(int ix, int iy, std::uint32_t seed) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(ix) * 0x8da6b343u) ^
                      (static_cast<std::uint32_t>(iy) * 0xd8163841u);
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

// Eight fixed gradient directions: no trigonometry, so no library rounding in the lattice.
constexpr double kDiagonal = 0.70710678118654752;
constexpr double kGradients[8][2] = {
    {1.0, 0.0},
    {-1.0, 0.0},
    {0.0, 1.0},
    {0.0, -1.0},
    {kDiagonal, kDiagonal},
    {-kDiagonal, kDiagonal},
    {kDiagonal, -kDiagonal},
    {-kDiagonal, -kDiagonal},
};

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

int wrap(int i, int period) {
    const int r = i % period;
    return r < 0 ? r + period : r;
}

double corner(int ix, int iy, int cells, std::uint32_t seed, double dx, double dy) {
    const double* g = kGradients[hashLattice(wrap(ix, cells), wrap(iy, cells), seed) & 7u];
    return g[0] * dx + g[1] * dy;
}

} // namespace

double latticeValue(int ix, int iy, std::uint32_t seed) {
    return hashLattice(ix, iy, seed) * (1.0 / 4294967296.0);
}

double gradientNoise(double u, double v, int cells, std::uint32_t seed) {
    const double x = u * cells;
    const double y = v * cells;
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double dx = x - fx;
    const double dy = y - fy;
    const double n00 = corner(ix, iy, cells, seed, dx, dy);
    const double n10 = corner(ix + 1, iy, cells, seed, dx - 1.0, dy);
    const double n01 = corner(ix, iy + 1, cells, seed, dx, dy - 1.0);
    const double n11 = corner(ix + 1, iy + 1, cells, seed, dx - 1.0, dy - 1.0);
    const double sx = fade(dx);
    const double sy = fade(dy);
    const double bottom = n00 + sx * (n10 - n00);
    const double top = n01 + sx * (n11 - n01);
    // 2-D gradient noise peaks near +-0.7; stretch it to about +-1.
    return 1.4 * (bottom + sy * (top - bottom));
}

double fractalNoise(double u, double v, int cells, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * gradientNoise(u, v, cells << octave, seed + 977u * octave);
        total += amplitude;
        amplitude *= 0.5;
    }
    return sum / total;
}

double turbulence(double u, double v, int cells, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * std::fabs(gradientNoise(u, v, cells << octave, seed + 977u * octave));
        total += amplitude;
        amplitude *= 0.5;
    }
    return sum / total;
}
