#include "platform/sound_player.h"

#ifdef _WIN32

#include <windows.h>

#include <mmsystem.h>

bool playSoundAsync(const char* fileName) {
    return PlaySoundA(fileName, nullptr, SND_FILENAME | SND_ASYNC) != FALSE;
}

#else

#include "platform/wav.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace {

// A sound file bigger than this is refused rather than read into memory.
constexpr std::size_t maxFileBytes = 64u << 20;
// Frames per device buffer: about 23 ms at 44.1 kHz, so that a new contact is heard at once.
constexpr Uint16 deviceFrames = 1024;

enum class AudioState { Untried, Ready, Off };

struct CachedSound {
    bool usable = false;
    std::vector<Uint8> samples; // in the device's format
};

// What the device callback plays; written only under the device lock once the device runs.
struct Playback {
    const Uint8* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    Uint8 silence = 0;
};

AudioState audioState = AudioState::Untried;
SDL_AudioDeviceID device = 0;
SDL_AudioSpec deviceFormat{};
Playback playback;
// Node-based, so the samples a playback points into never move; entries are never erased.
std::map<std::string, CachedSound, std::less<>> sounds;
bool complained = false;

// One line for the whole run, whatever fails and however often it is asked again.
void complain(const std::string& reason) {
    if (!complained) {
        complained = true;
        std::fprintf(stderr, "Spherarium: sound is off: %s\n", reason.c_str());
    }
}

void SDLCALL fillAudio(void*, Uint8* stream, int length) {
    const std::size_t wanted = static_cast<std::size_t>(length);
    const std::size_t count = std::min(wanted, playback.size - playback.position);
    if (count > 0) {
        std::memcpy(stream, playback.data + playback.position, count);
        playback.position += count;
    }
    std::memset(stream + count, playback.silence, wanted - count);
}

void SDLCALL dropLogLine(void*, int, SDL_LogPriority, const char*) {}

#ifdef __linux__
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints its own errors (eight lines for a machine without a sound card) straight to
// stderr. SDL loads the same library later; the handle is kept open so the handler stays.
void silenceAlsa() {
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return;
    }
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(ErrorHandler);
    void* symbol = dlsym(library, "snd_lib_error_set_handler");
    if (symbol != nullptr) {
        SetHandler setHandler = nullptr;
        std::memcpy(&setHandler, &symbol, sizeof setHandler);
        setHandler(ignoreAlsaError);
    }
}
#else
void silenceAlsa() {}
#endif

// Runs at exit, possibly while a sound plays: stops the device thread before the cache is freed.
void closeAudio() {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
    audioState = AudioState::Off;
    SDL_Quit();
}

bool openAudio(const SDL_AudioSpec& wanted) {
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue that nobody reads.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
#ifdef SDL_HINT_AUDIO_DEVICE_APP_NAME
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Spherarium");
#endif
    // SDL's own notices (the disk driver announces itself) would break the one-line promise.
    SDL_LogSetOutputFunction(dropLogLine, nullptr);
    silenceAlsa();

    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        complain(std::string("no audio: ") + SDL_GetError());
        SDL_Quit();
        return false;
    }
    SDL_AudioSpec request = wanted;
    request.samples = deviceFrames;
    request.callback = fillAudio;
    request.userdata = nullptr;
    // No allowed changes: SDL converts to the hardware's format behind the device.
    device = SDL_OpenAudioDevice(nullptr, 0, &request, &deviceFormat, 0);
    if (device == 0) {
        complain(std::string("no audio device: ") + SDL_GetError());
        SDL_Quit();
        return false;
    }
    playback.silence = deviceFormat.silence;
    std::atexit(closeAudio);
    SDL_PauseAudioDevice(device, 0);
    return true;
}

bool readFile(const char* fileName, std::vector<Uint8>& bytes) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        complain(std::string("cannot open ") + fileName + ": " + std::strerror(errno));
        return false;
    }
    Uint8 block[1 << 14];
    std::size_t count = 0;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0 && bytes.size() <= maxFileBytes) {
        bytes.insert(bytes.end(), block, block + count);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        complain(std::string("cannot read ") + fileName + ": " + std::strerror(error));
        return false;
    }
    if (bytes.size() > maxFileBytes) {
        complain(std::string(fileName) + ": file too large");
        return false;
    }
    return true;
}

// Brings samples from the file's format to the device's; false when SDL cannot.
bool convertToDevice(const SDL_AudioSpec& from, std::vector<Uint8>& samples) {
    SDL_AudioCVT cvt;
    const int needed =
        SDL_BuildAudioCVT(&cvt, from.format, from.channels, from.freq, deviceFormat.format,
                          deviceFormat.channels, deviceFormat.freq);
    if (needed < 0) {
        return false;
    }
    if (needed == 0) {
        return true;
    }
    const std::size_t size = samples.size();
    if (size > static_cast<std::size_t>(INT_MAX / cvt.len_mult)) {
        return false;
    }
    cvt.len = static_cast<int>(size);
    samples.resize(size * static_cast<std::size_t>(cvt.len_mult));
    cvt.buf = samples.data();
    if (SDL_ConvertAudio(&cvt) != 0) {
        return false;
    }
    samples.resize(static_cast<std::size_t>(cvt.len_cvt));
    return true;
}

CachedSound loadSound(const char* fileName) {
    CachedSound sound;
    std::vector<Uint8> bytes;
    if (!readFile(fileName, bytes)) {
        return sound;
    }
    WavFormat format;
    const WavError error = decodeWav(bytes.data(), bytes.size(), format);
    if (error != WavError::None) {
        complain(std::string(fileName) + ": " + describeWavError(error));
        return sound;
    }
    SDL_AudioSpec fileFormat{};
    fileFormat.freq = format.sampleRate;
    fileFormat.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    fileFormat.channels = static_cast<Uint8>(format.channels);
    sound.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(format.dataOffset),
                         bytes.begin() +
                             static_cast<std::ptrdiff_t>(format.dataOffset + format.dataSize));

    if (audioState == AudioState::Untried) {
        // The first sound chooses the device's format.
        audioState = openAudio(fileFormat) ? AudioState::Ready : AudioState::Off;
        if (audioState == AudioState::Off) {
            return sound;
        }
    }
    if (!convertToDevice(fileFormat, sound.samples)) {
        complain(std::string(fileName) + ": cannot convert: " + SDL_GetError());
        sound.samples.clear();
        return sound;
    }
    sound.usable = true;
    return sound;
}

} // namespace

bool playSoundAsync(const char* fileName) {
    if (fileName == nullptr || audioState == AudioState::Off) {
        return false;
    }
    auto entry = sounds.find(fileName);
    if (entry == sounds.end()) {
        entry = sounds.emplace(fileName, loadSound(fileName)).first;
    }
    if (!entry->second.usable || audioState != AudioState::Ready) {
        return false;
    }
    // Restarting the one playback: a burst of contacts never builds up a queue.
    SDL_LockAudioDevice(device);
    playback.data = entry->second.samples.data();
    playback.size = entry->second.samples.size();
    playback.position = 0;
    SDL_UnlockAudioDevice(device);
    return true;
}

#endif
