// Tileable gradient noise over the unit square: every function here has period 1 in u and v, so
// the textures made from it repeat without a seam.
#pragma once

#include <cstdint>

/// Uniform value in [0, 1) for the integer point (ix, iy): per-pixel grain without a sequence.
double latticeValue(int ix, int iy, std::uint32_t seed);

/// Gradient noise in about [-1, 1] at (u, v), on a lattice of `cells` x `cells` across the square.
double gradientNoise(double u, double v, int cells, std::uint32_t seed);

/// Sum of `octaves` layers of gradientNoise, each with twice the cells and half the amplitude;
/// scaled back to about [-1, 1].
double fractalNoise(double u, double v, int cells, int octaves, std::uint32_t seed);

/// Like fractalNoise but summing |noise|: creased, billowy, in about [0, 1].
double turbulence(double u, double v, int cells, int octaves, std::uint32_t seed);
