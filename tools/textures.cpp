#include "tools/textures.h"

#include "tools/noise.h"
#include "tools/pcg32.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Colour {
    double r;
    double g;
    double b;
};

Colour mix(const Colour& a, const Colour& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(const Colour& c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Fills a size x size picture from shade(px, py), px and py in pixels from the top left, with
// 2 x 2 samples per pixel so that thin veins and joint edges do not stair-step.
template <class Shade> Picture render(std::uint32_t size, Shade shade) {
    Picture picture = makePicture(size, size);
    for (std::uint32_t y = 0; y < size; ++y) {
        for (std::uint32_t x = 0; x < size; ++x) {
            Colour sum{0.0, 0.0, 0.0};
            for (double oy : {0.25, 0.75}) {
                for (double ox : {0.25, 0.75}) {
                    const Colour c = shade(x + ox, y + oy);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            setPixel(picture, x, y, sum.r / 4, sum.g / 4, sum.b / 4);
        }
    }
    return picture;
}

// Signed distance from (x, y) to a rectangle of half size (hx, hy) centred on the origin, with
// corners rounded by `radius`: negative inside.
double roundedBoxDistance(double x, double y, double hx, double hy, double radius) {
    const double qx = std::fabs(x) - hx + radius;
    const double qy = std::fabs(y) - hy + radius;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// How much the rim of a block at (x, y) faces the light (lx, ly), in -1..1, from the outward
// direction of its rounded outline.
double rimFacing(double x, double y, double hx, double hy, double radius, double lx, double ly) {
    constexpr double h = 0.5;
    const double nx =
        roundedBoxDistance(x + h, y, hx, hy, radius) - roundedBoxDistance(x - h, y, hx, hy, radius);
    const double ny =
        roundedBoxDistance(x, y + h, hx, hy, radius) - roundedBoxDistance(x, y - h, hx, hy, radius);
    const double length = std::hypot(nx, ny);
    return length > 0.0 ? (nx * lx + ny * ly) / length : 0.0;
}

// Grain that stays the same across a pixel's samples.
double pixelGrain(double px, double py, std::uint32_t seed) {
    return latticeValue(static_cast<int>(px), static_cast<int>(py), seed);
}

} // namespace

Picture makeMarble() {
    constexpr std::uint32_t size = 256;
    const Colour stone{0.94, 0.935, 0.925};
    const Colour cloudy{0.80, 0.805, 0.82};
    const Colour warm{0.91, 0.87, 0.81};
    const Colour vein{0.36, 0.38, 0.44};
    return render(size, [&](double px, double py) {
        const double u = px / size;
        const double v = py / size;
        // Stripes with whole numbers of periods across the square keep the veins tileable; the
        // smooth warp gives them their sweep, the turbulent one their crinkle.
        const double warp =
            0.85 * fractalNoise(u, v, 2, 4, 11u) + 0.4 * turbulence(u, v, 4, 4, 13u);
        const double main = 1.0 - std::fabs(std::sin(kTwoPi * (2.0 * u + v + warp)));
        const double mainStrength = smoothstep(-0.45, 0.35, fractalNoise(u, v, 2, 3, 17u));
        const double mainVein =
            mainStrength * (0.62 * std::pow(main, 16.0) + 0.22 * std::pow(main, 3.0));

        const double fineWarp =
            0.7 * fractalNoise(u, v, 3, 4, 23u) + 0.5 * turbulence(u, v, 6, 3, 29u);
        const double fine = 1.0 - std::fabs(std::sin(kTwoPi * (3.0 * v - u + fineWarp)));
        const double fineStrength = smoothstep(-0.2, 0.5, fractalNoise(u, v, 3, 3, 31u));
        const double fineVein = fineStrength * 0.32 * std::pow(fine, 26.0);

        const double cloud = smoothstep(-0.6, 0.8, fractalNoise(u, v, 2, 5, 37u));
        const double warmth = smoothstep(0.1, 0.7, fractalNoise(u, v, 2, 3, 41u));

        Colour c = mix(stone, cloudy, 0.6 * cloud);
        c = mix(c, warm, 0.5 * warmth);
        return mix(c, vein, std::min(1.0, mainVein + fineVein));
    });
}

Picture makeSpark() {
    constexpr std::uint32_t size = 128;
    constexpr int rayCount = 14;
    struct Ray {
        double x;
        double y;
        double length;
        double width;
        double strength;
    };
    Ray rays[rayCount];
    Pcg32 random(0x5ba7c0u);
    for (int i = 0; i < rayCount; ++i) {
        const bool major = i % 2 == 0;
        const double angle = kTwoPi * (i + random.uniform(-0.3, 0.3)) / rayCount;
        rays[i].x = std::cos(angle);
        rays[i].y = std::sin(angle);
        rays[i].length = major ? random.uniform(0.72, 0.9) : random.uniform(0.4, 0.62);
        rays[i].width = major ? random.uniform(0.022, 0.032) : random.uniform(0.014, 0.02);
        rays[i].strength = major ? random.uniform(0.75, 1.0) : random.uniform(0.45, 0.65);
    }
    const double half = size / 2.0;
    return render(size, [&](double px, double py) {
        const double dx = (px - half) / half;
        const double dy = (py - half) / half;
        const double r2 = dx * dx + dy * dy;
        const double r = std::sqrt(r2);
        double light = 2.2 * std::exp(-r2 / (0.075 * 0.075)) + 0.7 * std::exp(-r2 / (0.22 * 0.22)) +
                       0.05 / (0.05 + r2);
        for (const Ray& ray : rays) {
            const double along = dx * ray.x + dy * ray.y;
            if (along <= 0.0 || r >= ray.length) {
                continue;
            }
            const double across = dy * ray.x - dx * ray.y;
            const double rest = 1.0 - r / ray.length;
            const double width = ray.width * (0.35 + 0.65 * rest);
            light += ray.strength * rest * rest * std::exp(-(across * across) / (width * width));
        }
        // Exact black well inside the border, so the sprite's outline never shows.
        light *= 1.0 - smoothstep(0.6, 0.97, r);
        const double glow = 1.0 - std::exp(-1.6 * light);
        return Colour{std::min(1.0, 1.08 * glow), std::pow(glow, 1.35), 0.85 * std::pow(glow, 3.0)};
    });
}

Picture makeFloor() {
    constexpr std::uint32_t size = 256;
    constexpr int slabs = 4;
    constexpr double slab = static_cast<double>(size) / slabs;
    constexpr double half = slab / 2 - 2.4; // leaves a joint of about 5 pixels
    constexpr double corner = 5.0;
    constexpr double lightX = -0.7071; // light from the top left
    constexpr double lightY = -0.7071;
    Colour tints[slabs][slabs];
    Pcg32 random(0xf100u);
    for (auto& row : tints) {
        for (Colour& tint : row) {
            const double brightness = random.uniform(0.86, 1.05);
            const double warmth = random.uniform(-0.05, 0.05);
            tint = scaled({0.66 + warmth, 0.62 + 0.3 * warmth, 0.55 - warmth}, brightness);
        }
    }
    const Colour mortar{0.25, 0.24, 0.23};
    return render(size, [&](double px, double py) {
        const double u = px / size;
        const double v = py / size;
        const int column = std::min(slabs - 1, static_cast<int>(px / slab));
        const int row = std::min(slabs - 1, static_cast<int>(py / slab));
        const double localX = px - (column + 0.5) * slab;
        const double localY = py - (row + 0.5) * slab;
        // Worn outline: a wandering edge, and chips bitten out here and there.
        const double ragged = 1.0 * fractalNoise(u, v, 16, 3, 51u);
        const double chips = 3.0 * smoothstep(0.45, 0.8, fractalNoise(u, v, 24, 2, 53u));
        const double edge = roundedBoxDistance(localX, localY, half, half, corner) + ragged + chips;

        const double mottle = fractalNoise(u + 0.37 * column, v + 0.53 * row, 4, 5, 61u);
        const double blotch = fractalNoise(u, v, 12, 3, 62u);
        const double sand = fractalNoise(u, v, 64, 2, 63u);
        // Hairline cracks along the zero lines of a noise field, only in some stretches.
        const double crackLine = 1.0 - std::fabs(fractalNoise(u, v, 3, 4, 67u));
        const double cracks =
            smoothstep(-0.1, 0.4, fractalNoise(u, v, 2, 2, 68u)) * std::pow(crackLine, 60.0);
        const double grain = pixelGrain(px, py, 69u);
        Colour surface =
            scaled(tints[row][column], 1.0 + 0.14 * mottle + 0.08 * blotch + 0.05 * sand +
                                           0.06 * (grain - 0.5) - 0.35 * cracks);
        if (grain > 0.988) {
            surface = scaled(surface, 0.8);
        }
        // Bevelled rim: bright where it faces the light, dark where it turns away.
        const double rim = smoothstep(-5.0, -0.5, edge);
        const double facing = rimFacing(localX, localY, half, half, corner, lightX, lightY);
        surface = scaled(surface, 1.0 + rim * (0.28 * facing - 0.05));

        const double joint =
            1.0 + 0.3 * fractalNoise(u, v, 32, 2, 71u) + 0.12 * (pixelGrain(px, py, 73u) - 0.5);
        return mix(surface, scaled(mortar, joint), smoothstep(-0.5, 0.5, edge));
    });
}

Picture makeWall() {
    constexpr std::uint32_t size = 256;
    constexpr int courses = 12; // even, so the stagger repeats across the seam
    constexpr int bricksPerCourse = 4;
    constexpr double courseHeight = static_cast<double>(size) / courses;
    constexpr double brickWidth = static_cast<double>(size) / bricksPerCourse;
    constexpr double halfX = brickWidth / 2 - 1.7;
    constexpr double halfY = courseHeight / 2 - 1.7;
    constexpr double corner = 1.8;
    constexpr double lightX = -0.25; // light from above, a little from the left
    constexpr double lightY = -0.97;
    struct Brick {
        Colour tint;
        double slopeX;
        double slopeY;
    };
    Brick bricks[courses][bricksPerCourse];
    Pcg32 random(0xb41cu);
    for (auto& course : bricks) {
        for (Brick& brick : course) {
            const double fire = random.uniform();
            Colour c{random.uniform(0.55, 0.66), random.uniform(0.24, 0.30),
                     random.uniform(0.17, 0.21)};
            if (fire < 0.15) {
                c = scaled(c, 0.7); // over-fired, darker brick
            } else if (fire > 0.88) {
                c = mix(c, {0.70, 0.46, 0.35}, 0.5); // paler, sandier brick
            }
            brick = {c, random.uniform(-0.08, 0.08), random.uniform(-0.06, 0.06)};
        }
    }
    const Colour mortar{0.73, 0.71, 0.66};
    Picture picture = render(size, [&](double px, double py) {
        const double u = px / size;
        const double v = py / size;
        const int course = std::min(courses - 1, static_cast<int>(py / courseHeight));
        const double shifted = std::fmod(px + (course % 2) * brickWidth / 2, size);
        const int index = std::min(bricksPerCourse - 1, static_cast<int>(shifted / brickWidth));
        const double localX = shifted - (index + 0.5) * brickWidth;
        const double localY = py - (course + 0.5) * courseHeight;
        const double ragged = 0.8 * fractalNoise(u, v, 32, 2, 81u) +
                              1.6 * smoothstep(0.5, 0.85, fractalNoise(u, v, 40, 2, 83u));
        const double edge = roundedBoxDistance(localX, localY, halfX, halfY, corner) + ragged;

        const Brick& brick = bricks[course][index];
        const double clay = fractalNoise(u + 0.29 * index, v + 0.41 * course, 8, 4, 91u);
        const double grain = pixelGrain(px, py, 93u);
        Colour surface =
            scaled(brick.tint, 1.0 + 0.14 * clay + 0.07 * (grain - 0.5) +
                                   brick.slopeX * localX / halfX + brick.slopeY * localY / halfY);
        if (grain > 0.975) {
            surface = scaled(surface, 0.75); // pits in the fired clay
        }
        const double rim = smoothstep(-3.0, -0.3, edge);
        const double facing = rimFacing(localX, localY, halfX, halfY, corner, lightX, lightY);
        surface = scaled(surface, 1.0 + rim * (0.22 * facing - 0.04));

        // The joint under a brick lies in its shadow, fading towards the next brick down; counted
        // from the brick above, whichever course's cell this half of the joint belongs to.
        const double belowBrick = localY > 0.0 ? localY - halfY : localY + courseHeight - halfY;
        const double shadow =
            belowBrick < 0.0 ? 0.0 : 1.0 - smoothstep(0.0, courseHeight - 2.0 * halfY, belowBrick);
        const double sand =
            1.0 + 0.08 * fractalNoise(u, v, 64, 2, 97u) + 0.10 * (pixelGrain(px, py, 99u) - 0.5);
        const Colour joint = scaled(mortar, sand * (1.0 - 0.25 * shadow));
        return mix(surface, joint, smoothstep(-0.5, 0.5, edge));
    });
    flipRows(picture);
    return picture;
}
