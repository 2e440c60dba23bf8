// Timings of a drawing session's opening and "Done" as the Windows program
// runs them: the screen grab, the four layer copies, showing the drawing
// surface; the two 24-bit BMP writes and the wallpaper application.
// Run under Wine: scripts/with-display scripts/wine-run build/win32/velmora_session_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/ScreenGrab.h"
#include "picture/SessionCommands.h"
#include "picture/Unit2.h"
#include "program/Wallpaper.h"
#include "ui/Application.h"

namespace {

template <typename F>
double MedianMs(int runs, F&& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  using namespace velmora;
  InitCommonControlsOnce();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "velmora-bench\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  Layers& layers = Form2().LayerImages();
  layers.i4 = Bitmap(screenW, screenH, RgbPixel(30, 120, 200));
  layers.i5 = Bitmap(screenW, screenH, kKeyPixel);
  layers.i2 = layers.i4.Clone();

  const double grab = MedianMs(9, [] { GrabScreen(); });
  const double open = MedianMs(9, [&] {
    OpenSession(layers, GrabScreen(), work.right - work.left, work.bottom - work.top, true);
    Form2().Invalidate();
    Form2().Show();
    UpdateWindow(Form2().Handle());
  });
  Form2().Hide();
  const double writes = MedianMs(9, [&] { SaveWorkFiles(layers, dir); });
  const double apply = MedianMs(9, [&] { ApplyWallpaper(dir + "1.bmp", true); });
  std::printf("screen %d x %d\n", screenW, screenH);
  std::printf("%-52s %8.1f ms\n", "screen grab", grab);
  std::printf("%-52s %8.1f ms\n", "opening: grab, four layer copies, show and paint", open);
  std::printf("%-52s %8.1f ms\n", "Done: 1.bmp and 2.bmp written", writes);
  std::printf("%-52s %8.1f ms\n", "Done: wallpaper applied", apply);
  return 0;
}
