#pragma once
// Two program-wide flags of the custom pattern and line pages. The main window clears
// both before the wizard runs for a new design.
namespace velmo {

// The custom elevation page has been entered during this design's wizard run.
inline bool CustomElevationEntered = false;
// The transmission line page has been entered during this design's wizard run.
inline bool LinesPageEntered = false;

}  // namespace velmo
