#pragma once
// The drawing kept over a wallpaper that another program sets: a hidden
// window hears the system's wallpaper change and, when the desktop's settings
// then name another picture than the program's own, runs the wallpaper change
// with it, as the options window's own change does.
#include <optional>
#include <string>

#include "winbase/Window.h"

namespace velmora {

class TForm1;

class WallpaperWatch : public Window {
 public:
  explicit WallpaperWatch(TForm1& toolbar);
  ~WallpaperWatch() override;

  // Looks at the wallpaper the desktop names now (the work of a heard change).
  // During a drawing session it waits for the session's end.
  void Check();
  // A drawing session has ended: the wallpaper set elsewhere during it, if
  // any, is taken now, over the drawing as the session left it.
  void SessionEnded();
  void FollowDesktopLater();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // Takes the wallpaper the desktop names, `path`.
  void Follow(const std::string& path);

  TForm1& toolbar_;
  bool pending_ = false;
  bool desktopPending_ = false;
  std::optional<std::string> waiting_;  // named during a drawing session
  std::string reported_;  // the last picture the balloon turned down
};

// Starts the watch, once; it lasts as long as the program. It also hears the
// monitors change (FollowDesktop).
WallpaperWatch& WatchOutsideWallpaper(TForm1& toolbar);

// The end of a drawing session, for the watch, when it runs.
void OutsideWallpaperAfterSession();

// The monitors changed (added, removed, moved, resized, or their work areas):
// the layers take the new frame, the drawing keeping its screen place, and
// the wallpaper is composed for it again. During a drawing session this waits
// for its "Done".
void FollowDesktop(TForm1& toolbar);

}  // namespace velmora
