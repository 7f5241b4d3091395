#pragma once
// Two program-wide flags of the wizard. They decide whether the custom pattern pages
// show defaults or the design's values on entry; the wizard clears both when it
// starts a new design.
namespace velmo {

// Set when either custom elevation page is entered.
bool& CustomElevationEntered();
// Set when the transmission-line page is entered.
bool& LinesPageEntered();

}  // namespace velmo
