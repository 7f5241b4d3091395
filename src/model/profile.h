#pragma once
// Sectioned key=value text files ("INI" layout), read and written by our own code.
// Section and key names are matched without regard to case (ASCII); values are
// trimmed and lose one pair of enclosing double quotes when read. Writing a key that
// is present replaces its line where it stands; a missing key is appended at the end
// of its section, a missing section at the end of the text; every other line stays.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmo {

class TProfile {
public:
    TProfile() = default;

    // Parses UTF-8 text (lines ending in CR LF, LF or CR).
    void SetText(std::string_view utf8);
    // The whole text, UTF-8, lines ending in CR LF.
    std::string Text() const;
    // The bytes of the file: Windows-1252 when every character has a byte there,
    // otherwise UTF-8 behind a byte-order mark.
    std::string Encoded() const;

    // Reads a file: a byte-order mark selects UTF-8/UTF-16, otherwise the bytes are
    // Windows-1252. Returns false (and leaves the profile empty) when the file cannot
    // be read: it is missing, unreadable, not a regular file or larger than
    // kMaxDesignFileBytes; `reason` (when given) then receives the cause.
    bool LoadFromFile(const std::string& fileName, std::string* reason = nullptr);
    // Writes the whole text in one go through a temporary file in the same folder;
    // on any failure the previous file is untouched and Error("Unable to write to
    // <fileName>") is thrown.
    void SaveToFile(const std::string& fileName) const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // The trimmed and unquoted value, or `def` when the key (or section) is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& def) const;
    // Decimal, or hexadecimal after "0x"/"$"; `def` when missing or not a number
    // (or outside the 32-bit range).
    long long ReadInteger(std::string_view section, std::string_view key, long long def) const;
    // Any integer other than 0 is true; `def` when missing or not an integer.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Line breaks inside `value` become blanks: a value always stays on its own line.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, long long value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    const std::vector<std::string>& Lines() const { return FLines; }

private:
    struct TLineInfo {
        int Kind = 0;  // 0 other, 1 section header, 2 key=value
        std::string Name;  // section or key name, trimmed
    };
    static TLineInfo Classify(const std::string& line);
    // Index of the section's header line, or -1.
    int FindSection(std::string_view section) const;
    // Index of the key's line inside the section starting at `header`, or -1.
    int FindKey(int header, std::string_view key) const;
    // One past the last line that belongs to the section starting at `header`.
    int SectionEnd(int header) const;

    void Insert(int index, std::string line);
    // Line of the key's entry for reading, through an index built on first use.
    int LookupKey(std::string_view section, std::string_view key) const;


    std::vector<std::string> FLines;
    std::vector<TLineInfo> FInfo;  // one per line
    mutable bool FIndexValid = false;
    mutable std::unordered_map<std::string, int> FSectionIndex;  // lower-case name
    mutable std::unordered_map<std::string, int> FKeyIndex;  // "section\nkey", lower case
};

}  // namespace velmo
