// Cost of the simulation step and of its parts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "physics/ball_contact.h"
#include "physics/hit_tests.h"
#include "physics/scene.h"
#include "physics/simulation.h"

namespace {

bool noSound(const char*) {
    return true;
}

void resetScene() {
    setUpSceneValues();
    timeStep = 0.6;
    sceneAngle = 0.0f;
    followBall = 0;
    soundEnabled = 1;
    collisionSoundPlayer = &noSound;
}

// Bursts fade as the drawing would let them, so that spawning sees a realistic pool.
void fadeBursts() {
    for (Burst& burst : bursts) {
        burst.alpha -= 0.05f;
    }
}

// The first 10,000 calls of the initial scene, each timed: mean, 99.9th percentile and worst
// per call, and the most event-loop passes any call made. On a shared machine the worst call
// mostly measures the scheduler; the percentile shows the step itself.
void BM_AdvanceInitialScene(benchmark::State& state) {
    constexpr int calls = 10000;
    using Clock = std::chrono::steady_clock;
    std::vector<double> ns(calls);
    std::vector<double> all;
    double worstNs = 0.0;
    int maxPasses = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetScene();
        state.ResumeTiming();
        for (int call = 0; call < calls; ++call) {
            const auto start = Clock::now();
            advanceSimulation();
            const auto end = Clock::now();
            ns[call] = std::chrono::duration<double, std::nano>(end - start).count();
            maxPasses = std::max(maxPasses, lastStepPasses);
            fadeBursts();
        }
        state.PauseTiming();
        all.insert(all.end(), ns.begin(), ns.end());
        state.ResumeTiming();
    }
    std::sort(all.begin(), all.end());
    double total = 0.0;
    for (const double t : all) {
        total += t;
    }
    worstNs = all.back();
    state.SetItemsProcessed(state.iterations() * calls);
    state.counters["mean_ns_per_call"] = total / static_cast<double>(all.size());
    state.counters["p999_ns_per_call"] = all[all.size() * 999 / 1000];
    state.counters["worst_ns_per_call"] = worstNs;
    state.counters["max_passes"] = maxPasses;
}
BENCHMARK(BM_AdvanceInitialScene)->Unit(benchmark::kMillisecond);

// One call at a time, the scene restarting every 10,000 calls.
void BM_AdvanceSimulation(benchmark::State& state) {
    resetScene();
    int call = 0;
    long passes = 0;
    for (auto _ : state) {
        advanceSimulation();
        passes += lastStepPasses;
        fadeBursts();
        if (++call == 10000) {
            state.PauseTiming();
            resetScene();
            call = 0;
            state.ResumeTiming();
        }
    }
    state.counters["passes_per_call"] =
        benchmark::Counter(static_cast<double>(passes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_AdvanceSimulation);

// Ten balls (found by a search) for which every pair gets past both rejections and none touches
// within the sub-step: all 45 pairs take all 150 samples, the most the search can do.
void placeWorstCase() {
    resetScene();
    const double subStep = 0.6;
    const double start[maxBalls][3] = {
        {-99.1, 36.1, -86.1},   {-28.9, 24.0, -46.3},  {-79.9, 16.7, -42.5}, {4.7, 24.7, -77.0},
        {-143.6, 112.3, -8.6},  {-135.2, 71.5, -37.5}, {-75.6, 57.4, -44.4}, {18.1, 101.7, 26.2},
        {-205.8, -11.4, -24.4}, {-86.9, 50.2, -5.7}};
    const double velocity[maxBalls][3] = {
        {14.2, 3.8, -71.0},      {105.3, -32.0, -40.9}, {3.1, -42.4, -14.5}, {150.4, -26.3, -67.8},
        {-53.0, 93.9, 1.5},      {-44.8, 50.0, -31.8},  {39.2, 11.9, -64.3}, {389.6, 198.9, 72.0},
        {-241.1, -153.8, -14.9}, {-84.2, 49.2, 116.1}};
    for (int k = 0; k < ballCount; ++k) {
        previousPositions[k] = Vector3(start[k][0], start[k][1], start[k][2]);
        ballVelocities[k] = Vector3(velocity[k][0], velocity[k][1], velocity[k][2]);
        ballPositions[k] = previousPositions[k] + ballVelocities[k] * subStep;
    }
}

void BM_FindBallContactWorstCase(benchmark::State& state) {
    placeWorstCase();
    for (auto _ : state) {
        double time = 0.0;
        int first = 0;
        int second = 0;
        benchmark::DoNotOptimize(findBallContact(0.6, time, first, second));
        benchmark::DoNotOptimize(time);
    }
}
BENCHMARK(BM_FindBallContactWorstCase);

void BM_FindBallContactInitialScene(benchmark::State& state) {
    resetScene();
    for (int k = 0; k < ballCount; ++k) {
        previousPositions[k] = ballPositions[k];
        ballPositions[k] = ballPositions[k] + ballVelocities[k] * 0.6;
    }
    for (auto _ : state) {
        double time = 0.0;
        int first = 0;
        int second = 0;
        benchmark::DoNotOptimize(findApproachingBallContact(0.6, time, first, second));
    }
}
BENCHMARK(BM_FindBallContactInitialScene);

void BM_HitPlane(benchmark::State& state) {
    resetScene();
    const Vector3 origin(199, 180, 10);
    const Vector3 direction = unit(Vector3(0.5, -0.13, 0.5));
    for (auto _ : state) {
        for (const BoundaryPlane& plane : planes) {
            double distance = 0.0;
            Vector3 normal;
            benchmark::DoNotOptimize(hitPlane(plane, origin, direction, distance, normal));
            benchmark::DoNotOptimize(distance);
        }
    }
    state.SetItemsProcessed(state.iterations() * planeCount);
}
BENCHMARK(BM_HitPlane);

void BM_HitPillar(benchmark::State& state) {
    resetScene();
    const Vector3 origin(199, 180, 10);
    const Vector3 direction = unit(Vector3(-0.5, -0.13, 0.1));
    for (auto _ : state) {
        for (const Pillar& pillar : pillars) {
            double distance = 0.0;
            Vector3 normal;
            Vector3 point;
            benchmark::DoNotOptimize(hitPillar(pillar, origin, direction, distance, normal, point));
            benchmark::DoNotOptimize(distance);
        }
    }
    state.SetItemsProcessed(state.iterations() * pillarCount);
}
BENCHMARK(BM_HitPillar);

} // namespace

BENCHMARK_MAIN();
