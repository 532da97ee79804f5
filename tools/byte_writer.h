// Little-endian field writers shared by the BMP and WAV encoders.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

inline void putUint16Le(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xffu));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void putUint32Le(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xffu));
    }
}

inline void putTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    for (char c : tag) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
}
