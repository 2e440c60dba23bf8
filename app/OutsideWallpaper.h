#pragma once
// The drawing kept over a wallpaper that another program sets: a hidden
// window hears the system's wallpaper change and, when the desktop's settings
// then name another picture than the program's own, runs the wallpaper change
// with it, as the options window's own change does.
#include "winbase/Window.h"

namespace velmora {

class TForm1;

class WallpaperWatch : public Window {
 public:
  explicit WallpaperWatch(TForm1& toolbar);
  ~WallpaperWatch() override;

  // Looks at the wallpaper the desktop names now (the work of a heard change).
  void Check();
  void FollowDesktopLater();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TForm1& toolbar_;
  bool pending_ = false;
  bool desktopPending_ = false;
  std::string reported_;  // the last picture the balloon turned down
};

// Starts the watch, once; it lasts as long as the program. It also hears the
// monitors change (FollowDesktop).
void WatchOutsideWallpaper(TForm1& toolbar);

// The monitors changed (added, removed, moved, resized, or their work areas):
// the layers take the new frame, the drawing keeping its screen place, and
// the wallpaper is composed for it again. During a drawing session this waits
// for its "Done".
void FollowDesktop(TForm1& toolbar);

}  // namespace velmora
