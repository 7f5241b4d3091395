#include "model/profile.h"

#include <limits>

#include "base/error.h"
#include "base/fileio.h"
#include "base/numbers.h"
#include "base/textcodec.h"

namespace velmo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

TProfile::TLineInfo TProfile::Classify(const std::string& line) {
    TLineInfo info;
    std::string_view t = Trim(line);
    if (t.empty() || t[0] == ';') return info;
    if (t[0] == '[') {
        size_t close = t.find(']');
        if (close != std::string_view::npos) {
            info.Kind = 1;
            info.Name = std::string(Trim(t.substr(1, close - 1)));
        }
        return info;
    }
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) return info;
    info.Kind = 2;
    info.Name = std::string(Trim(t.substr(0, eq)));
    return info;
}

void TProfile::SetText(std::string_view utf8) {
    FIndexValid = false;
    FLines = SplitLines(utf8);
    FInfo.clear();
    FInfo.reserve(FLines.size());
    for (const auto& l : FLines) FInfo.push_back(Classify(l));
}

std::string TProfile::Text() const {
    std::string out;
    size_t n = 0;
    for (const auto& l : FLines) n += l.size() + 2;
    out.reserve(n);
    for (const auto& l : FLines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::string TProfile::Encoded() const {
    std::string text = Text();
    std::string ansi;
    if (Utf8ToWindows1252(text, ansi)) return ansi;
    return "\xEF\xBB\xBF" + text;
}

bool TProfile::LoadFromFile(const std::string& fileName, std::string* reason) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(fileName, kMaxDesignFileBytes);
    } catch (const TFileError& e) {
        SetText("");
        if (reason) *reason = e.Reason();
        return false;
    }
    SetText(DecodeText(bytes));
    return true;
}

void TProfile::SaveToFile(const std::string& fileName) const {
    // WriteFileAtomic follows a link to the file it names and refuses a target that is
    // write-protected or not a regular file.
    try {
        WriteFileAtomic(fileName, Encoded());
    } catch (const Error&) {
        throw Error("Unable to write to " + fileName);
    }
}

int TProfile::FindSection(std::string_view section) const {
    std::string_view want = Trim(section);
    for (size_t i = 0; i < FInfo.size(); ++i)
        if (FInfo[i].Kind == 1 && SameText(FInfo[i].Name, want)) return static_cast<int>(i);
    return -1;
}

int TProfile::SectionEnd(int header) const {
    size_t i = static_cast<size_t>(header) + 1;
    while (i < FInfo.size() && FInfo[i].Kind != 1) ++i;
    return static_cast<int>(i);
}

int TProfile::FindKey(int header, std::string_view key) const {
    std::string_view want = Trim(key);
    int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const TLineInfo& info = FInfo[static_cast<size_t>(i)];
        if (info.Kind == 2 && SameText(info.Name, want)) return i;
    }
    return -1;
}

namespace {
std::string LowerCopy(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = Lower(c);
    return r;
}
}  // namespace

int TProfile::LookupKey(std::string_view section, std::string_view key) const {
    if (!FIndexValid) {
        FSectionIndex.clear();
        FKeyIndex.clear();
        std::string current;
        bool first = false;  // inside the first section of its name
        for (size_t i = 0; i < FInfo.size(); ++i) {
            const TLineInfo& info = FInfo[i];
            if (info.Kind == 1) {
                current = LowerCopy(info.Name);
                first = FSectionIndex.emplace(current, static_cast<int>(i)).second;
            } else if (info.Kind == 2 && first) {
                FKeyIndex.emplace(current + '\n' + LowerCopy(info.Name), static_cast<int>(i));
            }
        }
        FIndexValid = true;
    }
    auto it = FKeyIndex.find(LowerCopy(Trim(section)) + '\n' + LowerCopy(Trim(key)));
    return it == FKeyIndex.end() ? -1 : it->second;
}

bool TProfile::HasSection(std::string_view section) const { return FindSection(section) >= 0; }

bool TProfile::HasKey(std::string_view section, std::string_view key) const {
    return LookupKey(section, key) >= 0;
}

std::string TProfile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& def) const {
    int k = LookupKey(section, key);
    if (k < 0) return def;
    const std::string& line = FLines[static_cast<size_t>(k)];
    std::string_view v = Trim(std::string_view(line).substr(line.find('=') + 1));
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return std::string(v);
}

long long TProfile::ReadInteger(std::string_view section, std::string_view key,
                                long long def) const {
    std::string text = ReadString(section, key, "");
    long long v = 0;
    if (!TryStrToInt(text, v)) return def;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return def;
    return v;
}

bool TProfile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    std::string text = ReadString(section, key, "");
    long long v = 0;
    if (!TryStrToInt(text, v)) return def;
    return v != 0;
}

void TProfile::Insert(int index, std::string line) {
    FIndexValid = false;
    TLineInfo info = Classify(line);
    FLines.insert(FLines.begin() + index, std::move(line));
    FInfo.insert(FInfo.begin() + index, std::move(info));
}

void TProfile::WriteString(std::string_view section, std::string_view key,
                           std::string_view value) {
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    std::string line = std::string(Trim(key)) + "=" + v;
    int h = FindSection(section);
    if (h < 0) {
        if (!FLines.empty() && !Trim(FLines.back()).empty())
            Insert(static_cast<int>(FLines.size()), "");
        Insert(static_cast<int>(FLines.size()), "[" + std::string(Trim(section)) + "]");
        Insert(static_cast<int>(FLines.size()), std::move(line));
        return;
    }
    int k = FindKey(h, key);
    if (k >= 0) {
        FIndexValid = false;
        FLines[static_cast<size_t>(k)] = std::move(line);
        FInfo[static_cast<size_t>(k)] = Classify(FLines[static_cast<size_t>(k)]);
        return;
    }
    // After the section's last non-blank line, so the blank line that separates it
    // from the next section stays in place.
    int end = SectionEnd(h);
    while (end > h + 1 && Trim(FLines[static_cast<size_t>(end - 1)]).empty()) --end;
    Insert(end, std::move(line));
}

void TProfile::WriteInteger(std::string_view section, std::string_view key, long long value) {
    WriteString(section, key, FormatInt(value));
}

void TProfile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace velmo
