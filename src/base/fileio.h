#pragma once
#include <string>
#include <string_view>

namespace velmo {

// Writes the complete contents to a temporary file in the same folder, then renames
// it over `path`: on failure the previous file is untouched. Throws Error
// "Cannot create file \"<path>\". <reason>" when the file cannot be written.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

// `path` with its extension (the part after the last "." of the file name) replaced
// by `ext` (which starts with "."), or `ext` appended when there is none.
std::string ChangeFileExt(const std::string& path, const std::string& ext);

}  // namespace velmo
