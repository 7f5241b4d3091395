#include "base/textcodec.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/error.h"

namespace velmo {

namespace {

// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes,
// which map to the C1 control of the same value.
const uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0};

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(std::string_view b, bool bigEndian) {
    std::string out;
    out.reserve(b.size());
    size_t n = b.size() / 2;
    auto unit = [&](size_t i) -> uint32_t {
        auto hi = static_cast<unsigned char>(b[2 * i + (bigEndian ? 0 : 1)]);
        auto lo = static_cast<unsigned char>(b[2 * i + (bigEndian ? 1 : 0)]);
        return (static_cast<uint32_t>(hi) << 8) | lo;
    };
    for (size_t i = 0; i < n; ++i) {
        uint32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < n) {
            uint32_t u2 = unit(i + 1);
            if (u2 >= 0xDC00 && u2 < 0xE000) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (u2 - 0xDC00));
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u < 0xE000) u = 0xFFFD;  // lone surrogate
        AppendUtf8(out, u);
    }
    return out;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            uint16_t cp = kCp1252High[c - 0x80];
            AppendUtf8(out, cp ? cp : c);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string DecodeText(std::string_view b) {
    if (b.size() >= 3 && static_cast<unsigned char>(b[0]) == 0xEF &&
        static_cast<unsigned char>(b[1]) == 0xBB && static_cast<unsigned char>(b[2]) == 0xBF)
        return std::string(b.substr(3));
    if (b.size() >= 2 && static_cast<unsigned char>(b[0]) == 0xFF &&
        static_cast<unsigned char>(b[1]) == 0xFE)
        return Utf16ToUtf8(b.substr(2), false);
    if (b.size() >= 2 && static_cast<unsigned char>(b[0]) == 0xFE &&
        static_cast<unsigned char>(b[1]) == 0xFF)
        return Utf16ToUtf8(b.substr(2), true);
    return Windows1252ToUtf8(b);
}

bool Utf8ToWindows1252(std::string_view s, std::string& out) {
    out.clear();
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        uint32_t cp;
        size_t len;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        i += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (int k = 0; k < 32; ++k) {
            uint32_t mapped = kCp1252High[k] ? kCp1252High[k] : static_cast<uint32_t>(0x80 + k);
            if (mapped == cp) {
                out += static_cast<char>(0x80 + k);
                found = true;
                break;
            }
        }
        if (!found) return false;
    }
    return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string ReadFileBytes(const std::string& path, size_t maxBytes) {
    return ReadRegularFile(path, maxBytes);
}

std::string ReadTextFile(const std::string& path, size_t maxBytes) {
    return DecodeText(ReadFileBytes(path, maxBytes));
}

}  // namespace velmo
