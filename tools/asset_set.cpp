#include "tools/asset_set.h"

#include "tools/bmp_writer.h"
#include "tools/explosion_sound.h"
#include "tools/textures.h"
#include "tools/wav_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

std::vector<AssetFile> makeAssetFiles() {
    std::vector<AssetFile> files;
    files.push_back({"marble.bmp", encodeBmp(makeMarble())});
    files.push_back({"spark.bmp", encodeBmp(makeSpark())});
    files.push_back({"boden.bmp", encodeBmp(makeFloor())});
    files.push_back({"wand.bmp", encodeBmp(makeWall())});
    files.push_back({"Explode.wav", encodeWav(makeExplosionSound(), explosionSampleRate)});
    return files;
}

int writeAssetFiles(const std::vector<AssetFile>& files, const std::string& folder,
                    std::ostream& errors) {
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        errors << "cannot create folder " << folder << ": " << failure.message() << '\n';
        return 1;
    }
    for (const AssetFile& file : files) {
        const std::string path = (std::filesystem::path(folder) / file.name).string();
        std::FILE* stream = std::fopen(path.c_str(), "wb");
        if (stream == nullptr) {
            errors << "cannot write " << path << ": " << std::strerror(errno) << '\n';
            return 1;
        }
        const bool written =
            file.bytes.empty() ||
            std::fwrite(file.bytes.data(), 1, file.bytes.size(), stream) == file.bytes.size();
        const int savedErrno = errno;
        // A full disk may only show when the buffer is flushed.
        const bool closed = std::fclose(stream) == 0;
        if (!written || !closed) {
            errors << "cannot write " << path << ": " << std::strerror(written ? errno : savedErrno)
                   << '\n';
            std::remove(path.c_str());
            return 1;
        }
    }
    return 0;
}
