#pragma once
// Reader of the "|"-delimited reference tables: a header line of column names, then
// one row per line. Fields are taken character for character (no quoting, no
// trimming). A file of fewer than three lines counts as an empty table.
#include <string>
#include <vector>

namespace velmo {

class TTextTable {
public:
    TTextTable() = default;

    // Throws Error "Cannot open file \"<full path>\". <reason>".
    void LoadFromFile(const std::string& fileName, const std::string& delimiter);
    void LoadFromFile(const std::string& fileName) { LoadFromFile(fileName, FDelimiter); }

    // Value of column `name` (matched without regard to case) in the current row;
    // the empty string for an unknown column or a row with too few fields.
    std::string Field(const std::string& name) const;
    // The field as a number, with "." or the locale's decimal separator (tables travel
    // between installations). FloatField throws ConvertError for a text that is not a
    // number; FloatFieldDef gives `def` instead.
    double FloatField(const std::string& name) const;
    double FloatFieldDef(const std::string& name, double def) const;

    void MoveFirst();
    void MoveNext();
    void Reset() { MoveFirst(); }

    const std::vector<std::string>& Records() const { return FRecords; }
    const std::vector<std::string>& FieldNames() const { return FFieldNames; }
    int RecNo() const { return FRecNo; }
    bool Eof() const { return FEOF; }
    const std::string& Delimiter() const { return FDelimiter; }

private:
    std::vector<std::string> FRecords;
    std::string FDelimiter = "|";
    int FRecNo = -1;
    std::vector<std::string> FFieldNames;
    bool FEOF = false;
};

// Splits a line at every occurrence of the delimiter; the piece after the last
// delimiter is the last field (possibly empty). Empty line or delimiter: no fields.
std::vector<std::string> SplitFields(const std::string& line, const std::string& delimiter);

}  // namespace velmo
