#pragma once
// One running program per work directory: a second start there (a logon
// start and a manual one, say) would show a second icon and overwrite the
// first one's settings and work bitmaps.

namespace velmora {

// Claims the work directory the start-up routine will find, by a named mutex
// held until the process ends. False when another program holds it: the
// caller then ends at once, quietly.
bool ClaimWorkDirectory();

}  // namespace velmora
