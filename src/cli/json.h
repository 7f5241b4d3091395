#pragma once
// The small pieces of JSON the commands print: numbers always with ".", strings escaped.
#include <cmath>
#include <string>

#include "base/numbers.h"

namespace velmo::cli {

inline std::string JsonNumber(double v) {
    return std::isfinite(v) ? FormatGeneral(v, '.') : std::string("null");
}

inline std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace velmo::cli
