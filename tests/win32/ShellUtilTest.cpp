#include <gtest/gtest.h>

#include <vector>

#include "base/Product.h"
#include "shellutil/ShellUtil.h"

namespace velmora {
namespace {

TEST(VersionSwitch, OnlyAnExactFirstArgumentCounts) {
  EXPECT_TRUE(HasVersionSwitch(L"KVX.exe -Ver$"));
  EXPECT_TRUE(HasVersionSwitch(L"\"C:\\Program Files\\Velmora\\KVX.exe\" -Ver$ more"));
  EXPECT_TRUE(HasVersionSwitch(L"KVX.exe \"-Ver$\""));
  EXPECT_FALSE(HasVersionSwitch(L"KVX.exe"));
  EXPECT_FALSE(HasVersionSwitch(L"KVX.exe -ver$"));
  EXPECT_FALSE(HasVersionSwitch(L"KVX.exe -VER$"));
  EXPECT_FALSE(HasVersionSwitch(L"KVX.exe -Ver"));
  EXPECT_FALSE(HasVersionSwitch(L"KVX.exe foo -Ver$"));
  EXPECT_FALSE(HasVersionSwitch(L"-Ver$"));  // the program's own name is not an argument
  EXPECT_FALSE(HasVersionSwitch(L""));
  EXPECT_FALSE(HasVersionSwitch(nullptr));
}

TEST(VersionSwitch, MessageIsExactWithLineFeedBeforeCarriageReturn) {
  const std::wstring expected =
      L"\u0412\u0435\u0440\u0441\u0438\u044f \u043f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b: KVX10b3\n\r"
      L"\u0412\u0435\u0440\u0441\u0438\u044f \u043c\u043e\u0434\u0443\u043b\u044f Tembrix: 1.1.28";
  EXPECT_EQ(VersionMessage(kBuildTag), expected);
}

TEST(VersionSwitch, ShowsNothingWithoutTheSwitch) {
  // This test program runs without "-Ver$", so no box may appear (a box would
  // block the test until someone closes it).
  EXPECT_FALSE(ShowVersionOnSwitch(kBuildTag));
}

TEST(SyntheticKeys, PressAndReleaseReachTheKeyState) {
  // F24: a key that nothing else on the test machine touches.
  SendKeyDown(VK_F24);
  EXPECT_NE(GetAsyncKeyState(VK_F24) & 0x8000, 0);
  SendKeyUp(VK_F24);
  EXPECT_EQ(GetAsyncKeyState(VK_F24) & 0x8000, 0);
}

TEST(SyntheticKeys, PressKeyDeliversADownAndAnUpToTheFocusedWindow) {
  HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "keys", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  SetForegroundWindow(window);
  SetFocus(window);
  PressKey(VK_F24);
  std::vector<UINT> seen;
  const DWORD deadline = GetTickCount() + 5000;
  while (seen.size() < 2 && GetTickCount() < deadline) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_F24)
        seen.push_back(msg.message);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  DestroyWindow(window);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
}

}  // namespace
}  // namespace velmora
