#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "note/note.h"
#include "picture/Unit2.h"
#include "program/Program.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

using test::PaintedClient;

Rect ScreenRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return FromRECT(r);
}

// The colour in the middle of a system control's client area, as it paints it.
COLORREF PaintedColorInside(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  const auto pixels = test::Drawn(r.right, r.bottom, [&](HDC dc) {
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  });
  return pixels.At(r.right / 2, r.bottom / 2);
}

// Confirms the font dialog as soon as it is open.
BOOL CALLBACK PressIfDialog(HWND hwnd, LPARAM) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof(name));
  if (std::string(name) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
  PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDOK)));
  return FALSE;
}
// Tried at every tick until the dialog is there: on a loaded machine it may
// take longer than one tick to open.
void CALLBACK PressDialogButton(HWND, UINT, UINT_PTR id, DWORD) {
  if (!EnumThreadWindows(GetCurrentThreadId(), PressIfDialog, 0)) KillTimer(nullptr, id);
}

int CALLBACK TakeScalableFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM found) {
  if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == '@') return 1;
  *reinterpret_cast<std::string*>(found) = font->lfFaceName;
  return 0;
}
std::string AScalableFace() {
  std::string face;
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  WindowDc screen(nullptr);
  EnumFontFamiliesExA(screen, &all, TakeScalableFace, reinterpret_cast<LPARAM>(&face), 0);
  return face;
}

// A work directory of the test's own for "font.typ".
class ScratchWork {
 public:
  ScratchWork() : previous_(WorkDirectory()) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora-note-test\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    DeleteFileA(FontFile().c_str());
    WorkDirectory() = dir_;
  }
  ~ScratchWork() {
    DeleteFileA(FontFile().c_str());
    RemoveDirectoryA(dir_.c_str());
    WorkDirectory() = previous_;
  }
  std::string FontFile() const { return dir_ + kFontFileName; }
  void Write(const std::string& bytes) const {
    FILE* f = std::fopen(FontFile().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::string Read() const {
    std::string bytes;
    if (FILE* f = std::fopen(FontFile().c_str(), "rb")) {
      for (int c; (c = std::fgetc(f)) != EOF;) bytes += static_cast<char>(c);
      std::fclose(f);
    }
    return bytes;
  }

 private:
  std::string previous_;
  std::string dir_;
};

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

class Note : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetToolbarHooks({.startSpacePoll = [this] { ++polls; }, .showToolbar = [this] { ++shows; }});
  }
  void TearDown() override { Form2().Hide(); }

  TForm3 form;
  int polls = 0;  // the toolbar's Space-key poll started
  int shows = 0;  // the toolbar shown
};

TEST_F(Note, IsAHiddenSizeableTextWindowWithACloseBoxOnly) {
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Caption(), "Text");
  EXPECT_EQ(form.OuterBounds(), (Rect{197, 274, 205, 357}));
  const LONG_PTR style = GetWindowLongPtrA(form.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
  const LONG_PTR exStyle = GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE);
  EXPECT_FALSE(exStyle & (WS_EX_TOPMOST | WS_EX_LAYERED));
  EXPECT_EQ(form.Font(), (FontInfo{.name = "MS Sans Serif", .height = 11}));
  EXPECT_FALSE(form.tact.Enabled());
  EXPECT_EQ(form.tact.Interval(), 50);
}

TEST_F(Note, TheMemoFillsTheSpaceAboveTheBottomPanelAndTheListLiesOverIt) {
  const Size client = form.ClientSize();
  EXPECT_EQ(form.Panel1.Bounds(), (Rect{0, client.height - 83, client.width, 83}));
  EXPECT_EQ(form.m1.Bounds(), (Rect{0, 0, client.width, client.height - 83}));
  EXPECT_EQ(form.m1.GetColor(), colors::kInfoBk);
  const LONG_PTR memoStyle = GetWindowLongPtrA(form.m1.Hwnd(), GWL_STYLE);
  EXPECT_TRUE(memoStyle & ES_MULTILINE);
  EXPECT_FALSE(memoStyle & (ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL));  // word wrap, no scroll bars
  EXPECT_TRUE(memoStyle & WS_VISIBLE);

  EXPECT_FALSE(form.lb.Visible());
  EXPECT_EQ(form.lb.Bounds(), form.m1.Bounds());
  EXPECT_EQ(form.lb.GetColor(), colors::kInfoBk);
  EXPECT_TRUE(GetWindowLongPtrA(form.lb.Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongPtrA(form.lb.Hwnd(), GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
  // The list is above the memo in the window order.
  bool listFirst = false;
  for (HWND child = GetWindow(form.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == form.lb.Hwnd()) listFirst = true;
    if (child == form.m1.Hwnd()) break;
  }
  EXPECT_TRUE(listFirst);
  form.lb.Show();
  EXPECT_EQ(form.lb.Bounds(), form.m1.Bounds());
  form.lb.Hide();

  // Both follow the window's size.
  form.SetBounds({100, 100, 320, 420});
  const Size larger = form.ClientSize();
  EXPECT_EQ(form.Panel1.Bounds(), (Rect{0, larger.height - 83, larger.width, 83}));
  EXPECT_EQ(form.m1.Bounds(), (Rect{0, 0, larger.width, larger.height - 83}));
  form.lb.Show();
  EXPECT_EQ(form.lb.Bounds(), form.m1.Bounds());
}

TEST_F(Note, NoteFontIsTheDesignFontOnTheDialogTheMemoAndTheList) {
  const FontInfo design{
      .name = "MS Sans Serif", .height = 13, .charset = kDefaultCharset, .color = colors::kWindowText};
  EXPECT_EQ(form.fd.Font(), design);
  EXPECT_EQ(form.m1.Font(), design);
  EXPECT_EQ(form.lb.Font(), design);

  // The dialog opens with the font it holds and gives back what the user
  // confirms; a scalable face of this machine, as the layout's face may be missing.
  FontInfo chosen = design;
  chosen.name = AScalableFace();
  chosen.height = 16;
  chosen.underline = true;
  chosen.color = colors::kRed;
  form.fd.SetFont(chosen);
  SetTimer(nullptr, 0, 100, PressDialogButton);
  EXPECT_TRUE(form.fd.Execute(form.Handle()));
  EXPECT_EQ(form.fd.Font().name, chosen.name);
  EXPECT_EQ(form.fd.Font().height, 16);
  EXPECT_TRUE(form.fd.Font().underline);
  EXPECT_FALSE(form.fd.Font().bold || form.fd.Font().italic || form.fd.Font().strikeOut);
  EXPECT_EQ(form.fd.Font().color, colors::kRed);
}

TEST_F(Note, HoverButtonsAndTheColourBoxSitOnTheBottomPanel) {
  struct Face {
    const Image& image;
    const Label& label;
    Point imageAt;
    Point labelAt;
    const char* caption;
  };
  const Face faces[] = {
      {form.Image1, form.Label1, {8, 6}, {33, 13}, "Done"},
      {form.Image3, form.Label3, {8, 46}, {33, 53}, "Close"},
      {form.Image2, form.Label2, {104, 46}, {129, 53}, "Font"},
  };
  for (const auto& f : faces) {
    SCOPED_TRACE(f.caption);
    EXPECT_EQ(f.image.Bounds(), (Rect{f.imageAt.x, f.imageAt.y, 85, 30}));
    EXPECT_EQ(f.label.Bounds().TopLeft(), f.labelAt);
    EXPECT_EQ(f.label.Caption(), f.caption);
  }
  EXPECT_EQ(form.cbn.Bounds(), (Rect{104, 11, 85, 22}));
  RECT box{};
  GetWindowRect(form.cbn.Hwnd(), &box);
  EXPECT_EQ(box.bottom - box.top, 22);

  // Start-up's face picture, drawn on each face of the panel with its white
  // caption over it, the face showing between the letters.
  const COLORREF faceColor = RGB(10, 40, 160);
  std::vector<std::uint32_t> pixels(85 * 30, 0x0A28A0);
  Image normal(form, {.visible = false});
  normal.SetPicture(BitmapFromPixels(85, 30, pixels.data()));
  form.GiveFaces(normal);
  const auto panel = PaintedClient(form.Panel1);
  for (const auto& f : faces) {
    SCOPED_TRACE(f.caption);
    EXPECT_EQ(f.image.Picture(), normal.Picture());
    EXPECT_EQ(panel.At(f.imageAt.x + 2, f.imageAt.y + 2), faceColor);
    EXPECT_EQ(panel.At(f.imageAt.x + 82, f.imageAt.y + 27), faceColor);
    EXPECT_GT(
        panel.Count(RGB(255, 255, 255), f.label.Left(), f.label.Top(), f.label.Width(), f.label.Height()),
        10);
  }

  // A caption does what a click on its face does, once the face has a handler.
  std::vector<std::string> clicked;
  form.Image1.OnClick([&] { clicked.push_back("Done"); });
  form.Image2.OnClick([&] { clicked.push_back("Font"); });
  form.Image3.OnClick([&] { clicked.push_back("Close"); });
  for (const auto& f : faces) test::LeftClick(form.Panel1.Handle(), f.label.Left() + 2, f.label.Top() + 2);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Done", "Close", "Font"}));
}

TEST_F(Note, TheColourBoxListsTheFiftyNoteColoursAndItsChoiceColoursMemoAndList) {
  ASSERT_EQ(form.cbn.Count(), 50);
  const auto named = NamedColors();
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(form.cbn.ItemText(i), named[static_cast<size_t>(i)].name);
    EXPECT_EQ(form.cbn.ItemColor(i), named[static_cast<size_t>(i)].value);
  }
  EXPECT_EQ(form.cbn.ItemIndex(), 38);
  EXPECT_EQ(form.cbn.ItemText(38), "clInfoBk");

  // As start-up applies the settings: the index, then the change handler.
  form.cbn.SetItemIndex(9);
  form.cbnChange();
  EXPECT_EQ(form.m1.GetColor(), colors::kRed);
  EXPECT_EQ(form.lb.GetColor(), colors::kRed);
  EXPECT_EQ(PaintedColorInside(form.lb.Hwnd()), RGB(255, 0, 0));
  EXPECT_EQ(PaintedColorInside(form.m1.Hwnd()), RGB(255, 0, 0));

  // The user's choice in the box runs the same handler.
  form.cbn.SetItemIndex(17);
  SendMessageA(form.Panel1.Handle(), WM_COMMAND, MAKEWPARAM(form.cbn.Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form.cbn.Hwnd()));
  EXPECT_EQ(form.m1.GetColor(), colors::kSkyBlue);
  EXPECT_EQ(form.lb.GetColor(), colors::kSkyBlue);
  EXPECT_EQ(PaintedColorInside(form.m1.Hwnd()), RGB(166, 202, 240));

  // A system colour is kept as such; no selection gives black.
  form.cbn.SetItemIndex(47);
  form.cbnChange();
  EXPECT_EQ(form.m1.GetColor(), colors::kWindow);
  form.cbn.SetItemIndex(-1);
  form.cbnChange();
  EXPECT_EQ(form.lb.GetColor(), colors::kBlack);
}

TEST_F(Note, OuterBoundsReadBackExactlyShownOrHiddenAndClosingOnlyHides) {
  // Value by value, as the settings reader applies lines 6 to 9.
  form.SetLeft(-1250);
  form.SetTop(30);
  form.SetWidth(640);
  form.SetHeight(480);
  EXPECT_EQ(form.OuterBounds(), (Rect{-1250, 30, 640, 480}));
  EXPECT_EQ((Rect{form.Left(), form.Top(), form.Width(), form.Height()}), (Rect{-1250, 30, 640, 480}));
  form.SetBounds({1100, 700, 300, 250});  // partly off the screen
  EXPECT_EQ(form.OuterBounds(), (Rect{1100, 700, 300, 250}));

  // The shown window stands where the values say, and keeps them when closed.
  form.Show();
  for (const Rect& b : {Rect{1100, 700, 300, 250}, Rect{197, 274, 205, 357}, Rect{0, 0, 500, 100}}) {
    form.SetBounds(b);
    test::PumpFor(20);
    EXPECT_EQ(form.OuterBounds(), b);
    EXPECT_EQ(ScreenRectOf(form.Handle()), b);
  }
  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(form.Handle()));
  EXPECT_EQ(form.OuterBounds(), (Rect{0, 0, 500, 100}));
}

TEST_F(Note, DoneWritesTheFontFileAndStampsTheListsRowsWhereTheMemoShowedThem) {
  ScratchWork work;
  Form2().Show();  // covers the work area
  Layers& layers = Form2().LayerImages();
  const Size area = Form2().ClientSize();
  const Pixel grey = RgbPixel(50, 60, 70);
  for (Bitmap* layer : {&layers.i1, &layers.i4, &layers.i31}) *layer = Bitmap(area.width, area.height, grey);
  layers.i5 = Bitmap(area.width, area.height, kKeyPixel);

  form.SetBounds({300, 200, 260, 300});
  form.Show();
  form.cbn.SetItemIndex(9);  // clRed
  form.cbnChange();
  FontInfo font = form.fd.Font();
  font.name = AScalableFace();
  font.height = 16;
  font.bold = true;
  font.color = colors::kBlue;
  form.fd.SetFont(font);
  form.m1.SetFont(font);
  form.lb.SetFont(font);
  form.m1.SetText("Hello\r\nWorld");
  POINT at{0, 0};
  ClientToScreen(form.m1.Hwnd(), &at);
  ScreenToClient(Form2().Handle(), &at);
  RECT memoClient{};
  GetClientRect(form.m1.Hwnd(), &memoClient);

  form.BitBtn1Click();

  // 12 points at 96 pixels per inch, blue, bold.
  EXPECT_EQ(work.Read(), "12\r\n" + font.name + "\r\n1\r\n16711680\r\n4\r\n");
  const int width = form.lb.Width() - 4, height = form.lb.Height() - 4;
  EXPECT_EQ((Size{memoClient.right, memoClient.bottom}), (Size{width, height}));
  const int rowHeight = static_cast<int>(SendMessageA(form.lb.Hwnd(), LB_GETITEMHEIGHT, 0, 0));
  const Pixel red = RgbPixel(255, 0, 0), blue = RgbPixel(0, 0, 255);
  for (const Bitmap* layer : {&layers.i1, &layers.i4, &layers.i5}) {
    EXPECT_EQ(layer->At(at.x, at.y), red);
    EXPECT_EQ(layer->At(at.x + width - 1, at.y + height - 1), red);
    EXPECT_NE(layer->At(at.x - 1, at.y - 1), red);
    EXPECT_NE(layer->At(at.x + width, at.y + height), red);
    // Two rows of text from the top, a small margin from the left, and
    // nothing but the background below them.
    int textPixels = 0, leftmost = width, below = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (layer->At(at.x + x, at.y + y) != blue) continue;
        if (y < 2 * rowHeight) {
          ++textPixels;
          leftmost = std::min(leftmost, x);
        } else {
          ++below;
        }
      }
    EXPECT_GT(textPixels, 40);
    EXPECT_EQ(below, 0);
    EXPECT_GE(leftmost, 1);
    EXPECT_LE(leftmost, 6);
  }
  EXPECT_EQ(layers.i31.At(at.x, at.y), grey);  // the screen layer keeps no notes

  // Then the window closes empty and gives the toolbar back.
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.lb.Visible());
  EXPECT_EQ(form.lb.Count(), 0);
  EXPECT_EQ(form.m1.Text(), "");
  EXPECT_GE(polls, 1);
  EXPECT_EQ(shows, 1);
}

TEST_F(Note, DoneThatCannotWriteTheFontFileStampsNothingAndKeepsTheWindow) {
  const std::string previous = WorkDirectory();
  WorkDirectory() = "C:\\no such folder\\";
  Layers& layers = Form2().LayerImages();
  layers.i1 = Bitmap(400, 400, kWhitePixel);
  form.SetBounds({0, 0, 205, 357});
  form.Show();
  form.m1.SetText("keep me");
  EXPECT_NE(ErrorOf([&] { form.BitBtn1Click(); }), "(no error)");
  WorkDirectory() = previous;
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.m1.Text(), "keep me");
  EXPECT_EQ(layers.i1.At(50, 50), kWhitePixel);
  EXPECT_EQ(polls + shows, 0);
}

// The file's errors themselves are shown end to end; here, what a bad line leaves.
TEST_F(Note, ABadLineOfTheFontFileLeavesTheLinesBeforeItInTheNoteFontOnly) {
  ScratchWork work;
  work.Write("12\r\nCourier New\r\nlatin\r\n0\r\n0\r\n");
  const FontInfo before = form.m1.Font();
  EXPECT_EQ(ErrorOf([&] { form.LoadNoteFont(); }), "'latin' is not a valid integer value");
  EXPECT_EQ(form.fd.Font().name, "Courier New");
  EXPECT_EQ(form.fd.Font().height, 16);
  EXPECT_EQ(form.fd.Font().charset, before.charset);
  EXPECT_EQ(form.m1.Font(), before);  // shown again only by a whole file
}

}  // namespace
}  // namespace velmora
