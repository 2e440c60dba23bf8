#include "ui/WindowPlace.h"

#include <algorithm>

namespace velmora {

Point BackIntoWorkArea(const Rect& window, const Rect& workArea) {
  // The far edge first, then the near one, so the top-left corner wins for a large window.
  const int left = std::max(std::min(window.left, workArea.Right() - window.width), workArea.left);
  const int top = std::max(std::min(window.top, workArea.Bottom() - window.height), workArea.top);
  return {left, top};
}

}  // namespace velmora
