// The player keeps program-wide state (SDL, the device, the cache), so every scenario runs in a
// forked child with its own environment, its stdout and stderr caught in files. SDL's disk driver
// stands in for a sound card: it writes what the device plays to a file, in real time.
#include "platform/sound_player.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "byte_builder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int toneRate = 22050;
constexpr double toneSeconds = 0.4;
constexpr int deviceFrames = 1024; // the player's device buffer
constexpr int audibleLevel = 1000; // of 32767; the tones peak at half scale

// The sample bytes of a tone at half scale, channels interleaved.
Bytes toneSamples(int rate, int channels, int bits, double hertz = 440.0) {
    Bytes b;
    const int frames = static_cast<int>(rate * toneSeconds);
    for (int i = 0; i < frames; ++i) {
        const double s = 0.5 * std::sin(2.0 * 3.14159265358979 * hertz * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (bits == 8) {
                b.push_back(static_cast<std::uint8_t>(std::lround(128.0 + 127.0 * s)));
            } else {
                put16(b, static_cast<std::uint16_t>(std::lround(32767.0 * s)));
            }
        }
    }
    return b;
}

Bytes waveFile(int rate, int channels, int bits, const Bytes& samples) {
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, static_cast<std::uint32_t>(36 + samples.size()));
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(b, 16);
    put16(b, 1);
    put16(b, static_cast<unsigned>(channels));
    put32(b, static_cast<std::uint32_t>(rate));
    put32(b, static_cast<std::uint32_t>(rate * channels * bits / 8));
    put16(b, static_cast<unsigned>(channels * bits / 8));
    put16(b, static_cast<unsigned>(bits));
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put32(b, static_cast<std::uint32_t>(samples.size()));
    b.insert(b.end(), samples.begin(), samples.end());
    return b;
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    const Bytes b = readFile(path);
    return std::string(b.begin(), b.end());
}

// Frames of 16-bit mono samples louder than the audible level.
long audibleFrames(const Bytes& samples) {
    long count = 0;
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
        const auto s = static_cast<std::int16_t>(samples[i] | (samples[i + 1] << 8));
        count += std::abs(s) > audibleLevel ? 1 : 0;
    }
    return count;
}

bool contains(const Bytes& haystack, const Bytes& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

// In the child: waits until the disk driver has written extraBytes more than it had, which with
// its real-time pace means the device has played that much. Gives up after a generous deadline.
bool waitForCapture(const std::string& path, std::uintmax_t extraBytes) {
    std::error_code ec;
    const std::uintmax_t start =
        std::filesystem::exists(path, ec) ? std::filesystem::file_size(path, ec) : 0;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < deadline) {
        if (std::filesystem::exists(path, ec) &&
            std::filesystem::file_size(path, ec) >= start + extraBytes) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

struct ChildResult {
    bool exited = false; // ended by exit, with status code
    int code = -1;
    int signal = 0; // or ended by this signal
    bool hung = false;
    std::string out;
    std::string err;
};

using Environment = std::vector<std::pair<const char*, const char*>>;

class SoundPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "spherarium-sound-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        tone = dir + "/tone.wav";
        capture = dir + "/capture.raw";
        toneData = toneSamples(toneRate, 1, 16);
        writeFile(tone, waveFile(toneRate, 1, 16, toneData));
    }

    void TearDown() override { std::filesystem::remove_all(dir); }

    Environment diskDriver() const { return {{"SDL_AUDIODRIVER", "disk"}}; }

    // Runs body in a fresh child; its return value is the child's exit status, given to exit()
    // so that exit handlers run as they do in the program.
    ChildResult runChild(const Environment& environment, const std::function<int()>& body) {
        const std::string outPath = dir + "/stdout.txt";
        const std::string errPath = dir + "/stderr.txt";
        std::fflush(nullptr); // nothing buffered here may be written twice by the child
        const pid_t pid = fork();
        if (pid == 0) {
            unsetenv("AUDIODEV");
            unsetenv("SDL_DISKAUDIODELAY");
            setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
            for (const auto& [name, value] : environment) {
                setenv(name, value, 1);
            }
            if (!std::freopen(outPath.c_str(), "w", stdout) ||
                !std::freopen(errPath.c_str(), "w", stderr)) {
                _exit(99);
            }
            std::exit(body());
        }
        ChildResult result;
        if (pid < 0) {
            ADD_FAILURE() << "fork failed";
            return result;
        }
        int status = 0;
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                result.hung = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        result.exited = WIFEXITED(status);
        result.code = result.exited ? WEXITSTATUS(status) : -1;
        result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        result.out = readText(outPath);
        result.err = readText(errPath);
        return result;
    }

    std::string dir;
    std::string tone;
    std::string capture;
    Bytes toneData;
};

void expectCleanExit(const ChildResult& r) {
    EXPECT_FALSE(r.hung) << "the child did not end";
    EXPECT_TRUE(r.exited) << "ended by signal " << r.signal;
    EXPECT_EQ(r.code, 0) << "stderr: " << r.err;
    EXPECT_EQ(r.out, "") << "stdout belongs to the program";
}

TEST_F(SoundPlayerTest, PlaysTheWholeSoundOnTheDevice) {
    const ChildResult r = runChild(diskDriver(), [&] {
        if (!playSoundAsync(tone.c_str())) {
            return 10;
        }
        return waitForCapture(capture, toneData.size() + 16384) ? 0 : 11;
    });
    expectCleanExit(r);
    EXPECT_EQ(r.err, "");
    const Bytes played = readFile(capture);
    EXPECT_TRUE(contains(played, toneData)) << "the tone is not in the device's output";
    EXPECT_LE(audibleFrames(played), audibleFrames(toneData)) << "more than one tone was played";
}

TEST_F(SoundPlayerTest, ANewSoundReplacesTheOnePlaying) {
    const std::string elapsedPath = dir + "/elapsed.txt";
    const std::string high = dir + "/high.wav";
    const Bytes highData = toneSamples(toneRate, 1, 16, 880.0);
    writeFile(high, waveFile(toneRate, 1, 16, highData));
    const ChildResult r = runChild(diskDriver(), [&] {
        const auto start = Clock::now();
        for (int i = 0; i < 20; ++i) {
            if (!playSoundAsync(i < 19 ? tone.c_str() : high.c_str())) {
                return 10;
            }
        }
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        std::ofstream(elapsedPath) << elapsed.count();
        // A queue of 20 tones would have played three of them by then.
        return waitForCapture(capture, 3 * toneData.size() + 16384) ? 0 : 11;
    });
    expectCleanExit(r);
    const double elapsed = std::stod(readText(elapsedPath));
    const Bytes played = readFile(capture);
    // The early plays are cut short: together they last no longer than the calls took, plus
    // the buffers the device took in meanwhile. The last one plays through.
    const double cutFrames = elapsed * toneRate + 3 * deviceFrames;
    EXPECT_LE(audibleFrames(played), audibleFrames(highData) + static_cast<long>(cutFrames))
        << "the calls took " << elapsed << " s";
    EXPECT_TRUE(contains(played, highData)) << "the last sound did not play through";
}

TEST_F(SoundPlayerTest, AFileInAnotherFormatIsConvertedToTheDevice) {
    const std::string other = dir + "/other.wav";
    writeFile(other, waveFile(11025, 2, 8, toneSamples(11025, 2, 8)));
    const ChildResult r = runChild(diskDriver(), [&] {
        if (!playSoundAsync(tone.c_str())) {
            return 10;
        }
        if (!waitForCapture(capture, toneData.size() + 16384)) {
            return 11;
        }
        if (!playSoundAsync(other.c_str())) {
            return 12;
        }
        return waitForCapture(capture, toneData.size() + 16384) ? 0 : 13;
    });
    expectCleanExit(r);
    const Bytes played = readFile(capture);
    EXPECT_TRUE(contains(played, toneData));
    // The second tone, as long and as loud, arrives at the device's rate as 16-bit mono.
    EXPECT_GT(audibleFrames(played), audibleFrames(toneData) * 17 / 10);
}

TEST_F(SoundPlayerTest, ExitWhileASoundPlaysEndsCleanly) {
    const ChildResult r = runChild(diskDriver(), [&] {
        if (!playSoundAsync(tone.c_str())) {
            return 10;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return 0;
    });
    expectCleanExit(r);
    EXPECT_EQ(r.err, "");
}

TEST_F(SoundPlayerTest, InterruptStillEndsTheProgram) {
    const ChildResult r = runChild(diskDriver(), [&] {
        std::signal(SIGINT, SIG_DFL); // as in a program started from a terminal
        if (!playSoundAsync(tone.c_str())) {
            return 10;
        }
        std::raise(SIGINT);
        return 20; // SIGINT was caught
    });
    EXPECT_FALSE(r.hung);
    EXPECT_EQ(r.signal, SIGINT) << "exit status " << r.code;
}

struct FailureCase {
    const char* name;
    Environment environment;
    const char* file; // relative to the test's folder
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class SoundFailureTest : public SoundPlayerTest,
                         public ::testing::WithParamInterface<FailureCase> {};

// After the first failure the setup is mended (a good file, a working driver): later calls
// must not notice, since a failure is never tried again.
TEST_P(SoundFailureTest, OneLineOnStderrAndNoRetries) {
    const FailureCase& c = GetParam();
    writeFile(dir + "/text.wav", {'h', 'e', 'l', 'l', 'o'});
    std::filesystem::create_directory(dir + "/folder.wav");
    const std::string file = dir + "/" + c.file;
    const ChildResult r = runChild(c.environment, [&] {
        if (playSoundAsync(file.c_str())) {
            return 10;
        }
        std::filesystem::remove_all(file);
        writeFile(file, waveFile(toneRate, 1, 16, toneData));
        setenv("SDL_AUDIODRIVER", "disk", 1);
        for (int i = 0; i < 200; ++i) {
            if (playSoundAsync(file.c_str())) {
                return 11;
            }
        }
        return 0;
    });
    expectCleanExit(r);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("Spherarium: sound is off: ", 0), 0u) << r.err;
    EXPECT_FALSE(std::filesystem::exists(capture)) << "a device was opened";
}

INSTANTIATE_TEST_SUITE_P(
    Setups, SoundFailureTest,
    ::testing::Values(
        FailureCase{"MissingFile", {{"SDL_AUDIODRIVER", "disk"}}, "missing.wav"},
        FailureCase{"Folder", {{"SDL_AUDIODRIVER", "disk"}}, "folder.wav"},
        FailureCase{"NotAWaveFile", {{"SDL_AUDIODRIVER", "disk"}}, "text.wav"},
        FailureCase{"NoSuchDriver", {{"SDL_AUDIODRIVER", "spherarium-no-such-driver"}}, "tone.wav"},
        // ALSA itself prints several lines when its device cannot be opened.
        FailureCase{"AlsaWithoutDevice",
                    {{"SDL_AUDIODRIVER", "alsa"}, {"AUDIODEV", "spherarium_no_such_pcm"}},
                    "tone.wav"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

} // namespace
