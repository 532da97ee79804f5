// BMP encoder: the uncompressed 24-bit layout that every painter writes and our texture reader
// accepts.
#pragma once

#include "tools/picture.h"

#include <cstdint>
#include <vector>

/// File bytes of `picture`: 14-byte file header, 40-byte info header (1 plane, 24 bpp, BI_RGB),
/// pixel data from byte 54, rows bottom first, blue-green-red, each row padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp(const Picture& picture);
