#pragma once
// The monitors of the desktop as the system reports them now.
#include <vector>

#include "imaging/DesktopFrame.h"

namespace velmora {

// Every monitor, the primary one first; the primary screen alone where the
// system lists none.
std::vector<Monitor> ScreenMonitors();

}  // namespace velmora
