// libFuzzer target: arbitrary bytes as a reference table. The first byte picks the
// delimiter; the rest is the file. Loading must end with a table or a velmo::Error,
// and walking every row and column must stay inside the records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/error.h"
#include "fuzz_support.h"
#include "refdata/texttable.h"

using namespace velmo;

namespace {
std::string gTable;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    gTable = fuzz::MakeScratchInstallation() + "data/tblFuzz.txt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const kDelimiters[] = {"|", ",", "\t", "||", ""};
    const std::string delimiter = kDelimiters[data[0] % 5];
    fuzz::WriteBytes(gTable, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    try {
        TTextTable table;
        table.LoadFromFile(gTable, delimiter);
        const size_t rows = table.Records().size();
        size_t seen = 0;
        table.MoveFirst();
        while (!table.Eof()) {
            for (const std::string& name : table.FieldNames()) (void)table.Field(name);
            (void)table.Field("no such column");
            table.MoveNext();
            if (++seen > rows) std::abort();  // the walk must end after the last row
        }
    } catch (const Error&) {
    }
    return 0;
}
