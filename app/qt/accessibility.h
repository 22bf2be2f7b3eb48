// What assistive technology reads of the window. The click zones are bare
// transparent widgets over a painted picture, so without help a screen reader
// would find seven nameless, roleless rectangles.
#pragma once

namespace vellumino {

// Presents each click zone as a button named after the label painted under it
// (pressing it runs the zone's command, as a click does) and each preview
// caption as static text carrying what it shows. Install once, before the
// window is built; later calls do nothing.
void InstallAccessibility();

}  // namespace vellumino
