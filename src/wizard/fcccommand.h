#pragma once
// The View menu's "Check FCC tabulation…" of FM designs: checks the current design's
// rotated azimuth pattern and shows the result in a message box through UI().
namespace velmo {

class TBroadcastDesign;

// The menu item is usable for FM designs.
bool CanCheckFCCTabulation(const TBroadcastDesign& design);
// Shows the result: an information box when both rules are met, a warning when one
// fails. A pattern that cannot be checked throws Error for the command boundary.
void CheckFCCTabulationCommand(TBroadcastDesign& design);

}  // namespace velmo
