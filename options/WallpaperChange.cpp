#include "options/WallpaperChange.h"

#include "options/WallpaperList.h"
#include "options/options.h"
#include "picture/Unit2.h"
#include "imaging/WallpaperCompose.h"
#include "program/Program.h"
#include "program/Wallpaper.h"
#include "message/messgae.h"

namespace velmora {

void ChangeWallpaper(const std::string& path) {
  TForm7& options = Form7();
  const bool optionsShown = options.Visible();
  options.Hide();
  if (optionsShown) ShowStatus(kChangeStatus);
  // Whatever happens, the user gets the options window back and no stale message.
  struct Restore {
    TForm7& options;
    bool shown;
    ~Restore() {
      Form6().Close();
      if (shown) options.Show();
    }
  } restore{options, optionsShown};

  Form2().History().Clear();  // the composed layer is rebuilt whole
  TForm2& surface = Form2();
  ChangeWallpaperPicture(surface.LayerImages(), path, WorkDirectory(), surface.Frame(),
                         {.position = options.Position(), .backdrop = PixelOf(GetSysColor(COLOR_DESKTOP))});
  ApplyWallpaper(WorkFile("1.bmp"), surface.Frame());
  surface.SetComposedFor(LayoutText(surface.Frame()));
}

void TForm7::cwTimer() {
  if (Form2().Visible()) return;  // a drawing session is open: the next tick tries again
  if (!rb2.Checked()) {
    cw.SetEnabled(false);
    return;
  }
  NextWallpaper();
}

bool TForm7::CanStepWallpaper() const { return RotationList().size() >= 2 && !Form2().Visible(); }

void TForm7::NextWallpaper() {
  if (Form2().Visible()) return;
  const std::vector<std::string> list = RotationList();
  // After a picture that failed, the rotation goes on past it while the
  // current wallpaper stays the last one shown.
  const bool afterFailed = !rotationFailed_.empty() && rotationFailedOver_ == ecw.Text();
  const auto next = NextWallpaperIndex(list, afterFailed ? rotationFailed_ : ecw.Text(), rotationPlace_);
  if (!next) return;
  rotationPlace_ = *next;
  rotationFailed_ = list[*next];
  rotationFailedOver_ = ecw.Text();
  ChangeWallpaper(list[*next]);
  rotationFailed_.clear();
  ecw.SetText(list[*next]);
}

}  // namespace velmora
