#include <gtest/gtest.h>

#include <utility>

#include "winbase/Handles.h"

namespace velmora {
namespace {

HWND MakeStatic() {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

TEST(UniqueWindowAndIcon, MovingHandsOverOwnershipAndTheLastOwnerFreesIt) {
  const HWND window = MakeStatic();
  ASSERT_NE(window, nullptr);
  {
    UniqueWindow first(window);
    UniqueWindow second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), window);
    UniqueWindow third;
    third = std::move(second);
    EXPECT_TRUE(IsWindow(window));
  }
  EXPECT_FALSE(IsWindow(window));

  const HWND kept = MakeStatic();
  {
    UniqueWindow owner(kept);
    EXPECT_EQ(owner.Release(), kept);
  }
  EXPECT_TRUE(IsWindow(kept));
  UniqueWindow replaced(kept);
  replaced.Reset(MakeStatic());
  EXPECT_FALSE(IsWindow(kept));

  UniqueIcon icon(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  const HICON raw = icon.Get();
  icon.Reset();
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(raw, &info));
}

}  // namespace
}  // namespace velmora
