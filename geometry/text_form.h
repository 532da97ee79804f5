// Shared piece of the geometry kernel's text input.
#pragma once

#include <istream>

/// After the opening "I" of "Invalid": discards, without skipping white space, at most 19
/// characters up to but not including the first "d".
inline void skipToInvalidEnd(std::istream& in) {
    for (int n = 0; n < 19; ++n) {
        const auto c = in.peek();
        if (c == std::istream::traits_type::eof() || c == 'd') {
            return;
        }
        in.get();
    }
}
