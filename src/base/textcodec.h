#pragma once
// Text encodings of the files the program reads and writes: a byte-order mark selects
// UTF-8 or UTF-16 (LE/BE); without one a file is 8-bit Windows-1252 text.
// In memory every text is UTF-8.
#include <string>
#include <string_view>
#include <vector>

#include "base/fileio.h"

namespace velmo {

std::string DecodeText(std::string_view bytes);
// Equal without regard to ASCII letter case (column, section and key names).
bool SameText(std::string_view a, std::string_view b);
std::string Windows1252ToUtf8(std::string_view bytes);
// True when every character of the UTF-8 text has a Windows-1252 byte; then `out`
// holds those bytes.
bool Utf8ToWindows1252(std::string_view utf8, std::string& out);
// Splits at CR LF, LF or CR; a last line without an end counts, an empty tail does not.
std::vector<std::string> SplitLines(std::string_view text);
// Reads a whole regular file of at most `maxBytes` (ReadRegularFile); throws Error
// "Cannot open file \"<path>\". <reason>".
std::string ReadFileBytes(const std::string& path, size_t maxBytes = kMaxTableFileBytes);
// Reads a file and decodes it as above.
std::string ReadTextFile(const std::string& path, size_t maxBytes = kMaxTableFileBytes);

}  // namespace velmo
