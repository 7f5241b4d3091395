// libFuzzer target: arbitrary bytes as a design file. The reader must either load a
// design or end with a velmo::Error; whatever loads must save and load back to the
// same file; the part number and mechanical data must be computable from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/folders.h"
#include "base/textcodec.h"
#include "model/design.h"
#include "model/designfile.h"
#include "patterns/elpattern.h"

using namespace velmo;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitFoldersFromExecutable();  // the sample installation beside the executable
    SetElMessageHandler([](const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        TProfile profile;
        profile.SetText(DecodeText(bytes));
        if (!CheckDesignHeader(profile)) return 0;
        TBroadcastDesign design;
        ReadDesign(design, profile);

        TProfile saved;
        WriteDesign(design, saved);
        TProfile again;
        again.SetText(saved.Text());
        TBroadcastDesign reloaded;
        ReadDesign(reloaded, again);
        TProfile saved2;
        WriteDesign(reloaded, saved2);
        if (saved2.Text() != saved.Text()) std::abort();

        design.BuildPartNumber();
        TMechanicalData m;
        design.GetMechanical(m);
        design.GetGainAtHorzdBd(ptHorizontal);
        design.GetElevationGainEPoldBd(ptVertical);
    } catch (const Error&) {
    }
    return 0;
}
