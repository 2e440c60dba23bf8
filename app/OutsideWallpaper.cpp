#include "app/OutsideWallpaper.h"

#include <memory>

#include "app/Unit1.h"
#include "base/Product.h"
#include "options/WallpaperChange.h"
#include "options/options.h"
#include "imaging/WallpaperCompose.h"
#include "program/Program.h"
#include "shellutil/PathUtil.h"
#include "shellutil/ShellUtil.h"

namespace velmora {
namespace {

constexpr UINT kCheckMessage = WM_APP + 15;

}  // namespace

WallpaperWatch::WallpaperWatch(TForm1& toolbar) : toolbar_(toolbar) {
  // Top-level, so that the system's broadcast of a settings change reaches it.
  Create({.className = "TWallpaperWatch", .style = WS_POPUP, .exStyle = WS_EX_TOOLWINDOW});
}

WallpaperWatch::~WallpaperWatch() = default;

LRESULT WallpaperWatch::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTINGCHANGE:
      // The broadcast is sent, and the program's own change sends one from
      // inside its work: the look comes afterwards, once for a burst.
      if (wParam == SPI_SETDESKWALLPAPER && !pending_) {
        pending_ = true;
        PostMessageA(Handle(), kCheckMessage, 0, 0);
      }
      return 0;
    case kCheckMessage:
      pending_ = false;
      Check();
      return 0;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

void WallpaperWatch::Check() {
  if (!Form7().cbk.Checked() || WorkDirectory().empty()) return;
  const std::string path = RegReadString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
  const OutsideWallpaper kind = ClassifyOutsideWallpaper(path, WorkDirectory());
  switch (kind) {
    case OutsideWallpaper::kOwn:  // the program's own change: nothing to do, and no loop
    case OutsideWallpaper::kNone:
      return;
    case OutsideWallpaper::kOther:
      if (path != reported_ && toolbar_.cti) {
        reported_ = path;
        toolbar_.cti->ShowBalloon(kApplicationTitle, "The drawing is laid only over JPEG and BMP pictures; " +
                                                         FileNameOf(path, true) +
                                                         " is neither, so it stays as it is.");
      }
      return;
    case OutsideWallpaper::kJpeg:
    case OutsideWallpaper::kBmp:
      break;
  }
  TForm7& options = Form7();
  options.ecw.SetText(OutsideWallpaperJpeg(path, kind, WorkDirectory()));
  ChangeWallpaper(options.ecw.Text());
}

void WatchOutsideWallpaper(TForm1& toolbar) {
  static std::unique_ptr<WallpaperWatch> watch;
  if (!watch) watch = std::make_unique<WallpaperWatch>(toolbar);
}

}  // namespace velmora
