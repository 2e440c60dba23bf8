#include <gtest/gtest.h>

#include <utility>

#include "components/OwnedHandle.h"

namespace velmora {
namespace {

HWND MakeStatic() {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

TEST(OwnedHandle, MovingHandsOverOwnershipAndTheLastOwnerFreesIt) {
  const HWND window = MakeStatic();
  ASSERT_NE(window, nullptr);
  {
    OwnedWindow first(window);
    OwnedWindow second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), window);
    OwnedWindow third;
    third = std::move(second);
    EXPECT_TRUE(IsWindow(window));
  }
  EXPECT_FALSE(IsWindow(window));

  const HWND kept = MakeStatic();
  {
    OwnedWindow owner(kept);
    EXPECT_EQ(owner.Release(), kept);
  }
  EXPECT_TRUE(IsWindow(kept));
  OwnedWindow replaced(kept);
  replaced.Reset(MakeStatic());
  EXPECT_FALSE(IsWindow(kept));

  OwnedIcon icon(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  const HICON raw = icon.Get();
  icon.Reset();
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(raw, &info));
}

}  // namespace
}  // namespace velmora
