#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "base/FileReplace.h"
#include "base/TextFile.h"
#include "options/options.h"
#include "imaging/JpegFile.h"
#include "picture/Unit2.h"
#include "program/Program.h"
#include "shellutil/ShellUtil.h"
#include "tests/win32/ui/UiTestSupport.h"

namespace velmora {
namespace {

using Items = std::vector<std::string>;

// The text of the message box that `action` shows; its OK button is pressed
// as soon as the box is up.
std::wstring boxText;
BOOL CALLBACK AnswerIfBox(HWND hwnd, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t text[2048] = {};
  GetDlgItemTextW(hwnd, 0xFFFF, text, 2048);
  boxText = text;
  PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
  return FALSE;
}
void CALLBACK AnswerTick(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), AnswerIfBox, 0);
}
std::wstring BoxShownBy(const std::function<void()>& action) {
  boxText = L"(no box)";
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerTick);
  action();
  KillTimer(nullptr, timer);
  return boxText;
}

// Plays the user at the open dialog and the message boxes that follow: the
// dialog gets the next of `typed` in its file name box and is confirmed (a
// folder opens it, names choose files), and is cancelled once `typed` is
// used up; a message box's text is kept and its OK pressed.
std::vector<std::wstring> typed;
std::vector<std::wstring> boxes;
BOOL CALLBACK AnswerDialogs(HWND hwnd, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
  int button = IDOK;
  if (HWND message = GetDlgItem(hwnd, 0xFFFF)) {
    wchar_t text[2048] = {};
    GetWindowTextW(message, text, 2048);
    boxes.push_back(text);
  } else if (typed.empty()) {
    button = IDCANCEL;
  } else {
    HWND box = GetDlgItem(hwnd, cmb13);
    SetWindowTextW(box ? box : GetDlgItem(hwnd, edt1), typed.front().c_str());
    typed.erase(typed.begin());
  }
  PostMessageW(hwnd, WM_COMMAND, button, 0);
  return FALSE;
}
void CALLBACK AnswerDialogsTick(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), AnswerDialogs, 0);
}
void AnsweringDialogs(std::vector<std::wstring> texts, const std::function<void()>& action) {
  typed = std::move(texts);
  boxes.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerDialogsTick);
  action();
  KillTimer(nullptr, timer);
}

// A user's click on a list entry, with Ctrl held to add it to the selection.
void ClickEntry(const ListBox& list, int index, bool ctrl = false) {
  RECT item{};
  SendMessageA(list.Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  const int x = (item.left + item.right) / 2, y = (item.top + item.bottom) / 2;
  test::SendMouse(list.Hwnd(), WM_LBUTTONDOWN, x, y, MK_LBUTTON | (ctrl ? MK_CONTROL : 0));
  test::SendMouse(list.Hwnd(), WM_LBUTTONUP, x, y, ctrl ? MK_CONTROL : 0);
}

void PressKey(const ListBox& list, WPARAM key) {
  SendMessageA(list.Hwnd(), WM_KEYDOWN, key, 1);
  SendMessageA(list.Hwnd(), WM_KEYUP, key, 0xC0000001);
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

// The middle of the preview as the window paints it.
COLORREF PreviewColour(const TForm7& form) {
  return test::PaintedClient(form.Panel1).At(2 + 62, 2 + 46);
}

class WallpaperListWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "velmora-list-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    workBefore_ = WorkDirectory();
    WorkDirectory() = dir_;
  }
  void TearDown() override { WorkDirectory() = workBefore_; }

  // A one-colour JPEG picture in the scratch folder; returns its path.
  std::string Jpeg(const std::string& name, int red, int green, int blue) {
    WriteJpegFile(Bitmap(300, 200, RgbPixel(red, green, blue)), dir_ + name);
    return dir_ + name;
  }
  std::wstring Wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

  std::string dir_;
  std::string workBefore_;
};

TEST_F(WallpaperListWindow, AddRemoveAndThePreviewOfTheOneSelectedEntry) {
  TForm7 form;
  const std::string red = Jpeg("red.jpg", 220, 30, 30), green = Jpeg("green.jpeg", 30, 200, 30),
                    blue = Jpeg("blue.jpg", 30, 30, 220);
  form.AddWallpapers({Wide(red), Wide(green), Wide(blue), Wide(red)}, false);
  EXPECT_EQ(form.lbfn.Items(), (Items{red, green, blue, red}));
  EXPECT_EQ(form.lb.Items(), (Items{"red", "green", "blue", "red"}));
  EXPECT_EQ(form.lb.SelCount(), 0);
  EXPECT_EQ(form.Image1.Picture(), nullptr);

  ClickEntry(form.lb, 1);
  EXPECT_TRUE(Near(PreviewColour(form), RGB(30, 200, 30)));
  EXPECT_EQ(form.Image1.PictureSize(), (Size{125, 93}));
  // A second entry selected: no preview.
  ClickEntry(form.lb, 2, true);
  EXPECT_EQ(form.lb.SelCount(), 2);
  EXPECT_EQ(form.Image1.Picture(), nullptr);

  // A file that is no picture keeps the preview it had, and says why.
  const std::string renamed = dir_ + "renamed.jpg";
  ReplaceFileContents(renamed, "BM not a JPEG picture at all");
  form.AddWallpapers({Wide(renamed)}, false);
  ClickEntry(form.lb, 2);
  ASSERT_TRUE(Near(PreviewColour(form), RGB(30, 30, 220)));
  form.lb.SetSelected(2, false);
  form.lb.SetSelected(4, true);
  try {
    form.lbClick();
    ADD_FAILURE() << "a broken picture was previewed";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("JPEG error #", 0), 0u) << e.what();
  }
  EXPECT_TRUE(Near(PreviewColour(form), RGB(30, 30, 220)));

  // "Remove" with nothing selected only says so; Delete in the list is "Remove".
  form.lb.SetSelected(4, false);
  EXPECT_EQ(BoxShownBy([&] { form.SpeedButton3Click(); }), L"Select wallpapers first!");
  EXPECT_EQ(form.lbfn.Count(), 5);
  ClickEntry(form.lb, 0);
  ClickEntry(form.lb, 3, true);
  ClickEntry(form.lb, 4, true);
  PressKey(form.lb, VK_DELETE);
  EXPECT_EQ(form.lbfn.Items(), (Items{green, blue}));
  EXPECT_EQ(form.lb.Items(), (Items{"green", "blue"}));
  EXPECT_EQ(form.lb.SelCount(), 0);
  EXPECT_EQ(form.Image1.Picture(), nullptr);
  EXPECT_EQ(BoxShownBy([&] { PressKey(form.lb, VK_DELETE); }), L"Select wallpapers first!");
  // Other keys keep their use in the list.
  form.lb.SetItemIndex(0);
  PressKey(form.lb, VK_DOWN);
  EXPECT_TRUE(form.lb.Selected(1));
}

TEST_F(WallpaperListWindow, DroppedFilesAddOnlyJpegPicturesInAnyScript) {
  TForm7 form;
  form.SetWallpaperList({"C:\\old.jpg"});
  form.lb.SetSelected(0, true);
  // Nothing of use dropped: the list and its selection stay.
  form.AddWallpapers({L"C:\\p\\notes.txt", L"C:\\p\\sea.bmp"}, true);
  EXPECT_EQ(form.lbfn.Items(), Items{"C:\\old.jpg"});
  EXPECT_TRUE(form.lb.Selected(0));

  form.AddWallpapers({L"C:\\p\\a.JPG", L"C:\\p\\notes.txt", L"C:\\p\\b.jpeg"}, true);
  EXPECT_EQ(form.lbfn.Items(), (Items{"C:\\old.jpg", "C:\\p\\a.JPG", "C:\\p\\b.jpeg"}));

  // Hebrew and Thai letters, which no code page of the system holds both of,
  // and a letter a Western code page would write as a look-alike: taken as they are.
  EXPECT_EQ(BoxShownBy([&] { form.AddWallpapers({L"C:\\p\\\u05D0\u0E01.jpg", L"C:\\p\\\u0100.jpg"}, false); }),
            L"(no box)");
  EXPECT_EQ(form.lbfn.Items(), (Items{"C:\\old.jpg", "C:\\p\\a.JPG", "C:\\p\\b.jpeg",
                                      "C:\\p\\\xD7\x90\xE0\xB8\x81.jpg", "C:\\p\\\xC4\x80.jpg"}));
  EXPECT_EQ(form.lb.Item(3), "\xD7\x90\xE0\xB8\x81");  // the list shows the name as it is
}

TEST_F(WallpaperListWindow, TheOpenDialogsGiveTheirFilesAndBrowseTakesANameInAnyScript) {
  TForm7 form;
  const std::string green = Jpeg("green.jpg", 30, 200, 30), red = Jpeg("red.jpg", 220, 30, 30);
  // Several names typed in the folder's dialog come in the order typed.
  const std::wstring folder = Wide(dir_);
  AnsweringDialogs({folder, L"\"red.jpg\" \"green.jpg\""},
                   [&] { ASSERT_TRUE(form.aod.Execute(form.Handle())); });
  EXPECT_EQ(form.aod.Files(), (std::vector<std::wstring>{Wide(red), Wide(green)}));
  AnsweringDialogs({Wide(green)}, [&] { form.SpeedButton2Click(); });
  EXPECT_EQ(form.lbfn.Items(), Items{green});

  // A picture whose name no code page of the system writes: listed, and its preview shown.
  const std::wstring foreign = folder + L"\u05D0\u0E01.jpg";
  ASSERT_TRUE(CopyFileW(Wide(green).c_str(), foreign.c_str(), FALSE));
  AnsweringDialogs({foreign}, [&] { form.SpeedButton2Click(); });
  ASSERT_EQ(form.lbfn.Count(), 2);
  EXPECT_EQ(form.lbfn.Item(1), WideToUtf8(foreign));
  ClickEntry(form.lb, 1);
  EXPECT_NE(form.Image1.Picture(), nullptr);
  EXPECT_TRUE(boxes.empty());
  DeleteFileW(foreign.c_str());
}

TEST_F(WallpaperListWindow, RandomizeMovesBothListsAlikeAndLeavesThePreview) {
  TForm7 form;
  const std::string red = Jpeg("red.jpg", 220, 30, 30);
  form.SetWallpaperList({"C:\\a.jpg", "C:\\b.jpg", red, "C:\\d.jpg"});
  ClickEntry(form.lb, 2);
  const HBITMAP preview = form.Image1.Picture();
  ASSERT_NE(preview, nullptr);
  std::vector<size_t> draws{3, 0, 2, 1};
  size_t k = 0;
  form.SetRandomDraw([&](size_t n) {
    if (n != 4) return n - 7;  // the folders' new order, drawn last
    return draws[k++];
  });
  form.Label6Clck();
  EXPECT_EQ(k, 4u);
  EXPECT_EQ(form.FolderShuffle(), 0xFFFFFFFFu - 6);
  EXPECT_EQ(form.lbfn.Items(), (Items{red, "C:\\a.jpg", "C:\\b.jpg", "C:\\d.jpg"}));
  EXPECT_EQ(form.lb.Items(), (Items{"red", "a", "b", "d"}));
  EXPECT_EQ(form.Image1.Picture(), preview);

  // The clock's draw keeps the two lists in step.
  form.SetRandomDraw(nullptr);
  for (int round = 0; round < 5; ++round) form.Label6Clck();
  EXPECT_EQ(DisplayNames(form.lbfn.Items()), form.lb.Items());
}

TEST_F(WallpaperListWindow, DoneWritesTheListThenTheSettingsAndAFailedWriteKeepsAll) {
  TForm7 form;
  int settingsWritten = 0;
  form.OnSaveSettings([&] { ++settingsWritten; });
  const std::string list = dir_ + "wl.ini";
  ReplaceFileContents(list, "C:\\before.jpg\r\n");
  form.SetWallpaperList({"C:\\b.jpg", "", "C:\\a b\\c.jpeg"});
  form.Show();

  // Open elsewhere without sharing: the list cannot be replaced.
  HANDLE locked = CreateFileA(list.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  try {
    form.Label5Click();
    ADD_FAILURE() << "the locked list was written";
  } catch (const InOutError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot replace file \"" + list + "\". ", 0), 0u) << e.what();
  }
  CloseHandle(locked);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(settingsWritten, 0);
  EXPECT_EQ(ReadFileIfOpens(list), "C:\\before.jpg\r\n");

  form.Label5Click();
  EXPECT_EQ(ReadFileIfOpens(list), "C:\\b.jpg\r\n\r\nC:\\a b\\c.jpeg\r\n");
  EXPECT_EQ(settingsWritten, 1);
  EXPECT_FALSE(form.Visible());
  DeleteFileA(list.c_str());
}

TEST_F(WallpaperListWindow, SetSelectedADoubleClickAndNextWallpaperChangeTheWallpaperOnlyWhenTheyCan) {
  const std::string desktopBefore = RegReadString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
  Layers& layers = Form2().LayerImages();
  layers.i4 = Bitmap(300, 200, kWhitePixel);
  layers.i5 = Bitmap(300, 200, kKeyPixel);
  TForm7& form = Form7();
  const std::string red = Jpeg("red.jpg", 220, 30, 30), green = Jpeg("green.jpg", 30, 200, 30);
  const std::string broken = dir_ + "broken.jpg";
  ReplaceFileContents(broken, "not a picture");
  form.SetWallpaperList({red, green, broken});
  form.ecw.SetText("");
  form.Show();

  // None or two selected: nothing happens.
  form.SpeedButton4Click();
  ClickEntry(form.lb, 0);
  ClickEntry(form.lb, 1, true);
  form.SpeedButton4Click();
  EXPECT_EQ(form.ecw.Text(), "");

  ClickEntry(form.lb, 1);
  form.SpeedButton4Click();
  EXPECT_EQ(form.ecw.Text(), green);
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper"), dir_ + "1.bmp");
  EXPECT_TRUE(form.Visible());

  ClickEntry(form.lb, 0);  // a double click's first click selects, the second takes the entry
  test::SendMouse(form.lb.Hwnd(), WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
  test::SendMouse(form.lb.Hwnd(), WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(form.ecw.Text(), red);

  // A broken picture: its error, the current wallpaper as it was, and the window is back.
  ClickEntry(form.lb, 0);
  form.lb.SetSelected(0, false);
  form.lb.SetSelected(2, true);
  EXPECT_THROW(form.SpeedButton4Click(), Error);
  EXPECT_EQ(form.ecw.Text(), red);
  EXPECT_TRUE(form.Visible());
  form.Hide();

  // "Next wallpaper" onto the broken one keeps the current wallpaper, and the
  // step after goes past it.
  form.NextWallpaper();
  EXPECT_EQ(form.ecw.Text(), green);
  EXPECT_THROW(form.NextWallpaper(), Error);
  EXPECT_EQ(form.ecw.Text(), green);
  form.NextWallpaper();
  EXPECT_EQ(form.ecw.Text(), red);
  form.SetWallpaperList({});
  form.ecw.SetText("");
  RegWriteString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", desktopBefore);
}

}  // namespace
}  // namespace velmora
