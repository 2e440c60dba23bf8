#include "app/OutsideWallpaper.h"

#include <memory>
#include <utility>

#include "app/Unit1.h"
#include "base/Product.h"
#include "options/WallpaperChange.h"
#include "options/options.h"
#include "imaging/BmpFile.h"
#include "imaging/WallpaperCompose.h"
#include "picture/Unit2.h"
#include "ui/Monitors.h"
#include "program/Program.h"
#include "shellutil/PathUtil.h"
#include "shellutil/ShellUtil.h"

namespace velmora {
namespace {

constexpr UINT kCheckMessage = WM_APP + 15;
constexpr UINT kDesktopMessage = WM_APP + 16;

bool SameMonitors(const DesktopFrame& a, const DesktopFrame& b) {
  if (a.originX != b.originX || a.originY != b.originY || a.monitors.size() != b.monitors.size()) return false;
  for (std::size_t i = 0; i < a.monitors.size(); ++i)
    if (a.monitors[i].bounds != b.monitors[i].bounds) return false;
  return true;
}

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
        PostMessageW(Handle(), kCheckMessage, 0, 0);
      }
      if (wParam == SPI_SETWORKAREA) FollowDesktopLater();
      return 0;
    case WM_DISPLAYCHANGE:
      FollowDesktopLater();
      return 0;
    case kCheckMessage:
      pending_ = false;
      Check();
      return 0;
    case kDesktopMessage:
      desktopPending_ = false;
      FollowDesktop(toolbar_);
      return 0;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

void WallpaperWatch::FollowDesktopLater() {
  // A monitor plugged in sends a burst of changes: one follow for all of them.
  if (desktopPending_) return;
  desktopPending_ = true;
  PostMessageW(Handle(), kDesktopMessage, 0, 0);
}

void WallpaperWatch::Check() {
  if (!Form7().cbk.Checked() || WorkDirectory().empty()) return;
  const std::string path = RegReadString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
  // The change would rebuild the layers beneath the session's snapshots, and
  // "Erase last" would paint the old wallpaper into the new one: the picture
  // named last waits, since the session's "Done" names the program's own.
  if (Form2().Visible()) {
    waiting_ = path;
    return;
  }
  Follow(path);
}

void WallpaperWatch::SessionEnded() {
  if (!waiting_) return;
  const std::string path = *std::exchange(waiting_, std::nullopt);
  if (!Form7().cbk.Checked() || WorkDirectory().empty()) return;
  Follow(path);
}

void WallpaperWatch::Follow(const std::string& path) {
  const OutsideWallpaper kind = ClassifyOutsideWallpaper(path, WorkDirectory());
  switch (kind) {
    case OutsideWallpaper::kOwn:  // the program's own change: nothing to do, and no loop
    case OutsideWallpaper::kNone:
      return;
    case OutsideWallpaper::kOther:
      if (path != reported_ && toolbar_.cti) {
        reported_ = path;
        toolbar_.cti->ShowBalloon(kApplicationTitle,
                                  "The drawing is laid only over JPEG, PNG, WebP and BMP pictures; " +
                                      FileNameOf(path, true) + " is none of them, so it stays as it is.");
      }
      return;
    case OutsideWallpaper::kPicture:
    case OutsideWallpaper::kBmp:
      break;
  }
  const std::string picture = OutsideWallpaperJpeg(path, kind, WorkDirectory());
  ChangeWallpaper(picture);
  Form7().ecw.SetText(picture);
}

void FollowDesktop(TForm1& toolbar) {
  TForm2& surface = Form2();
  if (surface.Visible()) {
    surface.SetDesktopChangePending(true);
    return;
  }
  surface.SetDesktopChangePending(false);
  if (WorkDirectory().empty()) return;
  const DesktopFrame old = surface.Frame();
  const DesktopFrame frame = FrameFor(ScreenMonitors(), old.originX, old.originY);
  surface.SetFrame(frame);
  // A work area alone (a taskbar moved) changes what the next session covers,
  // not the wallpaper.
  if (SameMonitors(frame, old) && LayoutText(frame) == surface.ComposedFor()) return;
  Layers& layers = surface.LayerImages();
  MoveLayerOrigin(layers, old.originX, old.originY, frame.originX, frame.originY);
  // Until the next showing sets it, the canvas is what that showing will cover.
  const Rect covered = surface.CoveredArea();
  layers.canvasWidth = covered.width;
  layers.canvasHeight = covered.height;
  if (frame.originX != old.originX || frame.originY != old.originY)
    WriteDrawingFile(layers.i5, WorkFile("2.bmp"));
  ChangeWallpaper(Form7().ecw.Text());
  // The drawing's origin and the layout composed for.
  toolbar.SaveSettings();
}

namespace {
std::unique_ptr<WallpaperWatch> watch;
}  // namespace

WallpaperWatch& WatchOutsideWallpaper(TForm1& toolbar) {
  if (!watch) watch = std::make_unique<WallpaperWatch>(toolbar);
  return *watch;
}

void OutsideWallpaperAfterSession() {
  if (watch) watch->SessionEnded();
}

}  // namespace velmora
