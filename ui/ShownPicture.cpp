#include "ui/ShownPicture.h"

#include "base/DpiScale.h"
#include "imaging/Scale.h"
#include "ui/Gdi.h"
#include "ui/PictureGdi.h"

namespace velmora {

ShownPicture::ShownPicture(bool layout, std::map<int, UniqueBitmap> drawings)
    : layout_(layout), byDpi_(std::move(drawings)) {
  if (auto it = byDpi_.find(kLayoutDpi); it != byDpi_.end()) layoutSize_ = BitmapSize(it->second.Get());
  for (const auto& [dpi, bitmap] : byDpi_)
    if (bitmap && dpi > largest_) largest_ = dpi;
}

std::shared_ptr<const ShownPicture> ShownPicture::InScreenPixels(UniqueBitmap bitmap) {
  std::map<int, UniqueBitmap> only;
  only.emplace(kLayoutDpi, std::move(bitmap));
  return std::shared_ptr<const ShownPicture>(new ShownPicture(false, std::move(only)));
}

std::shared_ptr<const ShownPicture> ShownPicture::ForLayout(std::map<int, UniqueBitmap> drawings) {
  return std::shared_ptr<const ShownPicture>(new ShownPicture(true, std::move(drawings)));
}

Size ShownPicture::SizeAt(int dpi) const {
  if (!layout_) return layoutSize_;
  if (auto it = byDpi_.find(dpi); it != byDpi_.end() && it->second) return BitmapSize(it->second.Get());
  return ToDpi(layoutSize_, dpi);
}

HBITMAP ShownPicture::At(int dpi) const {
  if (!layout_) dpi = kLayoutDpi;
  if (auto it = byDpi_.find(dpi); it != byDpi_.end()) return it->second.Get();
  const Size size = SizeAt(dpi);
  UniqueBitmap resized;
  if (largest_ > 0 && size.width > 0 && size.height > 0)
    resized = DibOf(ScaleSmooth(BitmapOf(byDpi_.at(largest_).Get()), size.width, size.height));
  // Kept also when empty (no memory), so the failure is not tried at every paint.
  return byDpi_.emplace(dpi, std::move(resized)).first->second.Get();
}

}  // namespace velmora
