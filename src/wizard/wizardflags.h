#pragma once
// Program-wide flags kept for the current wizard run. A new design clears both.
namespace velmo {

// Set when the custom elevation page has been entered in this wizard run.
bool& CustomElevationEntered();
// Set by the transmission line page on every entry; the custom elevation page reads it.
bool& LinesPageEntered();

}  // namespace velmo
