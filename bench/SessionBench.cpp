// A drawing session as the Windows program runs it, on this display's screen:
// the opening (screen grab, layer copies, showing the drawing surface), one
// mouse move with brush 100 and with each eraser and every other tool (from
// the input message to the pixels painted), "Done" (the two BMP writes, the wallpaper application)
// and the process's private memory beside the eight layers' floor.
// Lines "NAME median min max" (milliseconds) or "NAME value" for bench/run.py.
//   scripts/with-display scripts/wine-run build/win32/velmora_session_bench.exe
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/ScreenGrab.h"
#include "bench/Samples.h"
#include "imaging/SessionCommands.h"
#include "picture/Unit2.h"
#include "program/Wallpaper.h"
#include "ui/Application.h"
#include "ui/Monitors.h"

namespace {

using namespace velmora;
using namespace velmora::bench;

// The process's working set: under Wine its resident pages, Wine's own
// libraries and the X window surface's pixels included.
double ResidentMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// The process's private bytes, as Windows counts them: its committed private
// memory, added up region by region, because Wine reports no private bytes.
double PrivateMegabytes() {
  std::size_t bytes = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    if (static_cast<const char*>(region.BaseAddress) + region.RegionSize < at) break;
  }
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Moves bouncing about the screen in steps of (7, 4) pixels while a button is
// held, each sent as the system sends it and painted before the next.
void Moves(const char* name, Tool tool, int width, int height) {
  static Tool current;
  current = tool;
  Form2().SetStrokeHooks({.tool = [] { return current; },
                          .brushSize = [] { return 100; },
                          .brushColor = [] { return Color{0x0000FF}; },
                          .showWindows = [] { return true; },
                          .begin = {},
                          .end = {}});
  const HWND surface = Form2().Handle();
  const auto bounce = [](int travelled, int size) {
    const int span = size - 400, t = travelled % (2 * span);
    return 200 + (t < span ? t : 2 * span - t);
  };
  SendMessageA(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
  Samples handled, painted;
  for (int i = 1; i <= 300; ++i) {
    const auto start = Clock::now();
    SendMessageA(surface, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bounce(i * 7, width), bounce(i * 4, height)));
    handled.ms.push_back(MsSince(start));
    UpdateWindow(surface);
    GdiFlush();
    painted.ms.push_back(MsSince(start));
  }
  SendMessageA(surface, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
  handled.Print((std::string(name) + "-handled").c_str());
  painted.Print((std::string(name) + "-painted").c_str());
}

}  // namespace

int main() {
  InitCommonControlsOnce();
  std::printf("private-start %.1f\n", PrivateMegabytes());
  std::printf("resident-start %.1f\n", ResidentMegabytes());
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "velmora-bench\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  // Every monitor, as the program takes them: on several, one canvas of
  // their bounding rectangle.
  const DesktopFrame frame = FrameFor(ScreenMonitors(), 0, 0);
  Form2().SetFrame(frame);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const bool placed = frame.Placed();
  const int workW = placed ? frame.CanvasWidth() : work.right - work.left;
  const int workH = placed ? frame.CanvasHeight() : work.bottom - work.top;
  const int width = placed ? frame.CanvasWidth() : GetSystemMetrics(SM_CXSCREEN);
  const int height = placed ? frame.CanvasHeight() : GetSystemMetrics(SM_CYSCREEN);
  std::printf("monitors %d\n", static_cast<int>(frame.monitors.size()));
  std::printf("screen %dx%d\n", width, height);
  std::printf("work %dx%d\n", workW, workH);
  std::printf("floor %.1f\n", 8.0 * width * height * sizeof(Pixel) / (1024.0 * 1024.0));

  // The layers a session meets: the composed picture, the drawing, the background.
  Layers& layers = Form2().LayerImages();
  // A wallpaper like a photograph, no two neighbouring pixels alike, so the
  // undo history keeps what the strokes cover of it whole.
  layers.i4 = Bitmap::Uninitialized(width, height);
  std::uint32_t seed = 1;
  for (int y = 0; y < height; ++y)
    for (Pixel* pixel = layers.i4.Row(y); pixel != layers.i4.Row(y) + width; ++pixel)
      *pixel = (seed = seed * 1664525 + 1013904223) >> 8;
  layers.i5 = Bitmap(width, height, kKeyPixel);
  layers.i2 = layers.i4.Clone();

  constexpr int kRuns = 15;
  const auto snapshot = []() -> const Bitmap& { return Form2().LayerImages().i3; };
  Bitmap screen;
  Time(kRuns, [&] {
    GrabScreen(screen, frame);
    OfferGrabOnClipboard(snapshot);
  }).Print("grab");
  Time(
      kRuns, [&] { OpenSession(layers, std::move(screen), workW, workH, true); },
      [&] { screen = layers.i1.Clone(); })
      .Print("copies");
  // Every layer is there, the drawing surface not yet shown.
  std::printf("private-layers %.1f\n", PrivateMegabytes());
  std::printf("resident-layers %.1f\n", ResidentMegabytes());
  Time(
      kRuns,
      [] {
        Form2().Invalidate();
        Form2().Show();
        UpdateWindow(Form2().Handle());
        GdiFlush();
      },
      [] { Form2().Hide(); })
      .Print("show");
  // The system's side of a shown surface (its window surface, its buffers),
  // which stays after the window is hidden again.
  std::printf("private-shown %.1f\n", PrivateMegabytes());
  std::printf("resident-shown %.1f\n", ResidentMegabytes());
  // The showing's two halves: the window put on the screen, and its painting.
  Samples mapped, painted;
  for (int i = 0; i < kRuns; ++i) {
    Form2().Invalidate();
    const auto start = Clock::now();
    Form2().Show();
    mapped.ms.push_back(MsSince(start));
    const auto paint = Clock::now();
    UpdateWindow(Form2().Handle());
    GdiFlush();
    painted.ms.push_back(MsSince(paint));
    Form2().Hide();
  }
  mapped.Print("show-map");
  painted.Print("show-paint");
  // The whole opening as the icon's click runs it.
  Time(
      kRuns,
      [&] {
        GrabScreen(layers.i1, frame);
        OpenSession(layers, std::move(layers.i1), workW, workH, true);
        OfferGrabOnClipboard(snapshot);
        Form2().Invalidate();
        Form2().Show();
        UpdateWindow(Form2().Handle());
        GdiFlush();
      },
      [] { Form2().Hide(); })
      .Print("open");
  std::printf("private-open %.1f\n", PrivateMegabytes());
  std::printf("resident-open %.1f\n", ResidentMegabytes());
  // The same with the drawing surface hidden.
  Form2().Hide();
  std::printf("private-hidden %.1f\n", PrivateMegabytes());
  std::printf("resident-hidden %.1f\n", ResidentMegabytes());
  Form2().Show();

  Moves("brush", Tool::kBrush, width, height);
  Moves("erase-all", Tool::kEraseAll, width, height);
  Moves("erase-last", Tool::kEraseLast, width, height);
  Form2().Hide();

  Time(7, [&] { SaveWorkFiles(layers, dir, frame); }).Print("writes");
  Time(7, [&] { ApplyWallpaper(dir + "1.bmp", frame); }).Print("apply");
  std::printf("private-end %.1f\n", PrivateMegabytes());
  std::printf("resident-end %.1f\n", ResidentMegabytes());
  std::printf("undo-end %.1f\n", static_cast<double>(Form2().History().Bytes()) / (1024.0 * 1024.0));

  // The other tools, after the memory rows, which stay those of the brush and
  // the erasers. A shape is dragged from the press point to each move.
  Form2().Show();
  Moves("line", Tool::kLine, width, height);
  Moves("arrow", Tool::kArrow, width, height);
  Moves("rectangle", Tool::kRectangle, width, height);
  Moves("ellipse", Tool::kEllipse, width, height);
  Moves("highlighter", Tool::kHighlighter, width, height);
  Moves("number", Tool::kNumber, width, height);
  Form2().Hide();
  return 0;
}
