// Timings of the picture work a user waits for: a mouse move while painting
// or erasing, opening a drawing session, "Done"'s two bitmap files, and the
// wallpaper change on a 3840 x 2160 JPEG.
//
//   velmora_bench                          every timing at 1920 x 1080 and 3840 x 2160
//   velmora_bench make-files DIR [W H]     DIR/wallpaper.jpg and DIR/2.bmp (3840 x 2160 by default)
//                                          and DIR/tiny.jpg (8 x 8), for compare.sh and bench/run.py
//   velmora_bench change JPEG DRAWING DIR [RUNS]
//                                          the change's "change median min max" in milliseconds
//                                          and its mean CPU time "change-cpu MS",
//                                          "1.bmp" in DIR
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/Samples.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "imaging/Layers.h"
#include "imaging/PictureIo.h"
#include "imaging/SessionCommands.h"
#include "imaging/WallpaperCompose.h"

namespace velmora {
namespace {

constexpr int kPictureWidth = 3840;
constexpr int kPictureHeight = 2160;

using Clock = std::chrono::steady_clock;

// Median milliseconds of `runs` calls; `prepare` runs untimed before each.
double MedianMs(int runs, const std::function<void()>& work, const std::function<void()>& prepare = {}) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    if (prepare) prepare();
    const auto start = Clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A photograph's worth of detail: gradients, soft shapes and grain, so the
// JPEG codec has real work to do.
Bitmap Scenery(int width, int height, unsigned seed) {
  Bitmap picture = Bitmap::Uninitialized(width, height);
  std::uint32_t noise = seed;
  for (int y = 0; y < height; ++y) {
    Pixel* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 28) - 8;
      const int wave = ((x / 97 + y / 61) % 7) * 9;
      const int r = std::clamp(60 + x * 150 / width + wave + grain, 0, 255);
      const int g = std::clamp(90 + y * 120 / height - wave + grain, 0, 255);
      const int b = std::clamp(200 - (x + y) * 140 / (width + height) + grain, 0, 255);
      row[x] = RgbPixel(r, g, b);
    }
  }
  return picture;
}

// A drawing layer with a few hundred brush strokes on the key colour.
Bitmap Drawing(int width, int height) {
  Layers layers;
  layers.i1 = Bitmap(width, height, kKeyPixel);
  layers.i5 = Bitmap(width, height, kKeyPixel);
  for (int i = 0; i < 300; ++i) {
    const int x = (i * 7919) % width, y = (i * 104729) % height;
    BrushSegment(layers, x, y, x + 40 + i % 200, y + 25 - i % 50, 1 + i % 30, RgbPixel(255, i % 256, 0));
  }
  return std::move(layers.i5);
}

// Layers as they are in the middle of a drawing session on a screen this size.
Layers SessionLayers(int width, int height) {
  Layers layers;
  layers.i2 = Scenery(width, height, 1);
  layers.i5 = Drawing(width, height);
  Compose(layers.i4, layers.i2, layers.i5);
  OpenSession(layers, Scenery(width, height, 2), width, height, true);
  return layers;
}

void Report(const char* what, int width, int height, double ms) {
  std::printf("%-44s %4d x %-4d %10.3f ms\n", what, width, height, ms);
}

// A coordinate moving back and forth between 200 and size - 200.
int Bounce(int travelled, int size) {
  const int span = size - 400;
  const int t = travelled % (2 * span);
  return 200 + (t < span ? t : 2 * span - t);
}

// Per mouse move of (7, 4) pixels, bouncing about the screen.
double PerMoveMs(int width, int height, const std::function<void(int, int)>& move) {
  constexpr int kMoves = 2000;
  std::vector<double> times;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    for (int i = 0; i < kMoves; ++i) move(Bounce(i * 7, width), Bounce(i * 4, height));
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kMoves);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void RunAll(const std::string& scratch) {
  const std::string jpegPath = scratch + "/wallpaper.jpg";
  WriteJpegFile(Scenery(kPictureWidth, kPictureHeight, 3), jpegPath);
  std::printf("3840 x 2160 test JPEG: %ju bytes\n\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(jpegPath)));
  for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    Layers layers = SessionLayers(width, height);
    Stroke stroke;
    stroke.Begin(width / 2, height / 2, 100, 0x0000FF);
    Report("brush-100 segment, four targets", width, height,
           PerMoveMs(width, height, [&](int x, int y) { stroke.Move(layers, Tool::kBrush, x, y, true); }));
    Report("eraser square 100 \"Erase all\", all layers", width, height,
           PerMoveMs(width, height, [&](int x, int y) { EraseAll(layers, x, y, 100); }));
    Report("eraser square 100 \"Erase last\", all layers", width, height,
           PerMoveMs(width, height, [&](int x, int y) { EraseLast(layers, x, y, 100, true); }));

    Bitmap screen;
    Report("session open (four layer copies)", width, height,
           MedianMs(
               21, [&] { OpenSession(layers, std::move(screen), width, height, true); },
               [&] { screen = layers.i3.Clone(); }));
    Report("\"Done\": 1.bmp and 2.bmp, 24 bits", width, height,
           MedianMs(11, [&] { SaveWorkFiles(layers, scratch + "/"); }));

    layers.canvasWidth = width;
    layers.canvasHeight = height;
    Bitmap decoded;
    Report("  change: decode 3840 x 2160 JPEG", width, height,
           MedianMs(11, [&] { decoded = ReadJpegFile(jpegPath); }));
    Report("  change: size and compose", width, height,
           MedianMs(
               11, [&] { SetBackground(layers, std::move(decoded)); }, [&] { decoded = layers.i2.Clone(); }));
    Report("  change: write 1.bmp", width, height,
           MedianMs(11, [&] { WriteBmpFile(layers.i4, scratch + "/1.bmp"); }));
    Report("wallpaper change, 3840 x 2160 JPEG", width, height,
           MedianMs(11, [&] { ChangeWallpaperPicture(layers, jpegPath, scratch + "/"); }));
    std::printf("\n");
  }
}

int MakeFiles(const std::string& dir, int width, int height) {
  WriteJpegFile(Scenery(width, height, 3), dir + "/wallpaper.jpg");
  WriteBmpFile(Drawing(width, height), dir + "/2.bmp");
  WriteJpegFile(Scenery(8, 8, 3), dir + "/tiny.jpg");
  return 0;
}

int Change(const std::string& jpegPath, const std::string& drawingPath, const std::string& dir, int runs) {
  Layers layers;
  layers.i5 = ReadBmpFile(drawingPath);
  layers.canvasWidth = layers.i5.Width();
  layers.canvasHeight = layers.i5.Height();
  const double cpuBefore = bench::CpuMs();
  bench::Time(runs, [&] { ChangeWallpaperPicture(layers, jpegPath, dir + "/"); }).Print("change");
  // The mean CPU time of one change, beside the anchor's own CPU time.
  std::printf("change-cpu %.3f\n", (bench::CpuMs() - cpuBefore) / runs);
  // Its split, each step alone: the file read and decoded, the sizing and
  // composition, the write of 1.bmp.
  bench::Time(runs, [&] { ReadJpegFile(jpegPath); }).Print("change-decode");
  Bitmap background;
  bench::Time(
      runs, [&] { SetBackground(layers, std::move(background)); }, [&] { background = layers.i2.Clone(); })
      .Print("change-compose");
  bench::Time(runs, [&] { WriteBmpFile(layers.i4, dir + "/1.bmp"); }).Print("change-write");
  return 0;
}

// A Fill change of a large photo to one monitor of width x height, and the
// floor of today's change: libjpeg-turbo's decoding alone of its picture.
int Fill(const std::string& jpegPath, const std::string& dir, int width, int height, int runs) {
  Layers layers;
  layers.i5 = Bitmap(width, height, kKeyPixel);
  const DesktopFrame frame = FrameFor({{{0, 0, width, height}, {0, 0, width, height}}}, 0, 0);
  bench::Time(runs, [&] {
    ChangeWallpaperPicture(layers, jpegPath, dir + "/", frame, {.position = PicturePosition::kFill});
  }).Print("fill");
  const std::string bytes = ReadPictureFile(jpegPath);
  bench::Time(runs, [&] { DecodeJpeg(bytes); }).Print("decode-only");
  return 0;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "make-files")
      return velmora::MakeFiles(args[1], velmora::kPictureWidth, velmora::kPictureHeight);
    if (args.size() == 4 && args[0] == "make-files")
      return velmora::MakeFiles(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()));
    if ((args.size() == 4 || args.size() == 5) && args[0] == "change") {
      return velmora::Change(args[1], args[2], args[3], args.size() == 5 ? std::atoi(args[4].c_str()) : 11);
    }
    if (args.size() == 6 && args[0] == "fill")
      return velmora::Fill(args[1], args[2], std::atoi(args[3].c_str()), std::atoi(args[4].c_str()),
                           std::atoi(args[5].c_str()));
    if (!args.empty()) {
      std::fprintf(stderr,
                   "usage: velmora_bench [make-files DIR [W H] | change JPEG DRAWING DIR [RUNS] | "
                   "fill JPEG DIR W H RUNS]\n");
      return 2;
    }
    const auto scratch = std::filesystem::temp_directory_path() / "velmora-bench";
    std::filesystem::create_directories(scratch);
    velmora::RunAll(scratch.string());
    std::filesystem::remove_all(scratch);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velmora_bench: %s\n", e.what());
    return 1;
  }
}
