// The full set of generated asset files and the writing of them into a folder.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

struct AssetFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

/// The five files, in load order: "marble.bmp", "spark.bmp", "boden.bmp", "wand.bmp",
/// "Explode.wav". The same bytes on every call.
std::vector<AssetFile> makeAssetFiles();

/// Writes `files` into `folder` (created if missing). Returns 0, or 1 after printing to `errors`
/// which path could not be written and why.
int writeAssetFiles(const std::vector<AssetFile>& files, const std::string& folder,
                    std::ostream& errors);
