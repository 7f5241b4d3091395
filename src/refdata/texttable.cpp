#include "refdata/texttable.h"

#include "base/numbers.h"
#include "base/textcodec.h"

namespace velmo {

std::vector<std::string> SplitFields(const std::string& line, const std::string& d) {
    std::vector<std::string> out;
    if (line.empty() || d.empty()) return out;
    size_t cut = 0;
    for (size_t pos = line.find(d); pos != std::string::npos; pos = line.find(d, cut)) {
        out.push_back(line.substr(cut, pos - cut));
        cut = pos + d.size();
    }
    out.push_back(line.substr(cut));
    return out;
}

void TTextTable::LoadFromFile(const std::string& fileName, const std::string& delimiter) {
    std::vector<std::string> lines = SplitLines(ReadTextFile(fileName));
    FDelimiter = delimiter;
    FFieldNames.clear();
    FRecords = std::move(lines);
    if (FRecords.size() < 3) {
        FRecNo = -1;
        FEOF = true;
        return;
    }
    FFieldNames = SplitFields(FRecords.front(), FDelimiter);
    FRecords.erase(FRecords.begin());
    FRecNo = 0;
    FEOF = false;
}

double TTextTable::FloatField(const std::string& name) const { return DataStrToFloat(Field(name)); }

double TTextTable::FloatFieldDef(const std::string& name, double def) const {
    return DataStrToRealDef(Field(name), def);
}

std::string TTextTable::Field(const std::string& name) const {
    int k = -1;
    for (size_t i = 0; i < FFieldNames.size(); ++i) {
        if (SameText(FFieldNames[i], name)) {
            k = static_cast<int>(i);
            break;
        }
    }
    if (k < 0 || FRecNo < 0 || FRecNo >= static_cast<int>(FRecords.size())) return "";
    const std::string& row = FRecords[static_cast<size_t>(FRecNo)];
    if (FDelimiter.empty()) return k == 0 ? row : "";
    // Every field, the last included, is followed by a delimiter.
    size_t cut = 0;
    for (int field = 0;; ++field) {
        size_t pos = row.find(FDelimiter, cut);
        if (pos == std::string::npos) {
            return field == k ? row.substr(cut) : "";
        }
        if (field == k) return row.substr(cut, pos - cut);
        cut = pos + FDelimiter.size();
    }
}

void TTextTable::MoveFirst() {
    if (FRecords.empty()) {
        FRecNo = -1;
        FEOF = true;
    } else {
        FRecNo = 0;
        FEOF = false;
    }
}

void TTextTable::MoveNext() {
    ++FRecNo;
    if (FRecNo >= static_cast<int>(FRecords.size())) FEOF = true;
}

}  // namespace velmo
