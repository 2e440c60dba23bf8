#include "note/note.h"

#include <cstdint>

#include "base/Errors.h"
#include "note/NoteStamp.h"
#include "picture/Unit2.h"
#include "program/Program.h"
#include "ui/Gdi.h"
#include "winbase/Handles.h"
#include "ui/HoverScheme.h"

namespace velmora {
namespace {

int ScreenPixelsPerInch() {
  WindowDc screen(nullptr);
  return GetDeviceCaps(screen, LOGPIXELSY);
}

}  // namespace

TForm3::TForm3()
    : Form({.className = "TForm3",
            .caption = "Text",
            .border = BorderStyle::kSizeable,
            .origin = {197, 274},
            .outerSize = {205, 357}}) {
  // Docking passes over hidden controls: the list starts where the memo lies
  // and is docked again whenever it is shown.
  lb.SetBounds(m1.Bounds());
  cbn.OnChange([this] { cbnChange(); });
  Image1.OnClick([this] { BitBtn1Click(); });
  Image2.OnClick([this] { BitBtn2Click(); });
  Image3.OnClick([this] { Label3Click(); });
  OnClose([this] { FormClose(); });
  // A caption acts as the face beneath it.
  Label1.ForwardMouseTo(&Image1);
  Label2.ForwardMouseTo(&Image2);
  Label3.ForwardMouseTo(&Image3);
  // "Done" has no pressed look.
  WireFramedFaces(*this, tact, &Panel1, {{&Image1, false}, {&Image2}, {&Image3}});
}

void TForm3::LoadNoteFont() {
  const int pixelsPerInch = ScreenPixelsPerInch();
  NoteFont font = FromFontInfo(fd.Font(), fd.Font().dpi);
  try {
    ReadFontFile(WorkFile(kFontFileName), font);
  } catch (const ConvertError&) {
    // The lines before the bad one are the note font now; the memo and the
    // list keep what they showed.
    fd.SetFont(ToFontInfo(font, pixelsPerInch));
    throw;
  }
  SetNoteFont(ToFontInfo(font, pixelsPerInch));
}

void TForm3::SetNoteFont(const FontInfo& font) {
  fd.SetFont(font);
  m1.SetFont(font);
  lb.SetFont(font);
}

void TForm3::BitBtn1Click() {
  // A failed write stops here, with the window and its text as they were.
  WriteFontFile(WorkFile(kFontFileName), FromFontInfo(fd.Font(), fd.Font().dpi));
  lb.SetItems(m1.DisplayedLines());
  lb.SetItemIndex(-1);
  const Bitmap note = RenderNote();
  // The note covers the text where the user saw it: the list's client area,
  // which lies where the memo's does, in the drawing surface's pixels.
  POINT origin{0, 0};
  ClientToScreen(lb.Hwnd(), &origin);
  ScreenToClient(Form2().Handle(), &origin);
  Form2().History().RecordChange(Form2().LayerImages(),
                                 {origin.x, origin.y, origin.x + note.Width(), origin.y + note.Height()});
  Form2().InvalidateCanvas(StampNote(Form2().LayerImages(), note, origin.x, origin.y));
  lb.Clear();
  m1.Clear();
  GiveToolbarBack();
  Close();
}

Bitmap TForm3::RenderNote() {
  lb.Show();  // docked over the memo
  struct HideAfter {
    ListBox& list;
    ~HideAfter() { list.Hide(); }
  } hideAfter{lb};

  RECT client{};
  GetClientRect(lb.Hwnd(), &client);
  Bitmap note = Bitmap::Uninitialized(client.right, client.bottom);
  if (note.Empty()) return note;
  const BITMAPINFO info = TopDown32(note.Width(), note.Height());  // as the layers
  void* bits = nullptr;
  UniqueBitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!canvas) throw OutOfMemoryError();
  MemoryDc dc;
  dc.Select(canvas.Get());
  FillSolid(dc, {0, 0, note.Width(), note.Height()}, lb.GetColor());
  // The list draws itself into the picture, as it would on the screen, with
  // no pause of the program.
  SendMessageA(lb.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* drawn = static_cast<const std::uint32_t*>(bits);
  // GDI leaves the fourth byte undefined; the layers keep it 0.
  const auto width = static_cast<std::size_t>(note.Width());
  for (int y = 0; y < note.Height(); ++y) {
    Pixel* row = note.Row(y);
    const std::uint32_t* in = drawn + static_cast<std::size_t>(y) * width;
    for (std::size_t x = 0; x < width; ++x) row[x] = in[x] & 0x00FFFFFFu;
  }
  return note;
}

void TForm3::BitBtn2Click() {
  if (!fd.Execute(Handle())) return;
  m1.SetFont(fd.Font());
  lb.SetFont(fd.Font());
}

void TForm3::Label3Click() {
  if (hooks_.startSpacePoll) hooks_.startSpacePoll();
  lb.Clear();
  m1.Clear();
  if (hooks_.showToolbar) hooks_.showToolbar();
  Close();
}

void TForm3::FormClose() {
  if (hooks_.startSpacePoll) hooks_.startSpacePoll();
}

void TForm3::GiveToolbarBack() {
  if (hooks_.startSpacePoll) hooks_.startSpacePoll();
  if (hooks_.showToolbar) hooks_.showToolbar();
}

void TForm3::cbnChange() {
  lb.SetColor(cbn.Selected());
  m1.SetColor(cbn.Selected());
}

void TForm3::GiveFaces(const Image& normal) {
  for (Image* face : {&Image1, &Image2, &Image3}) face->AssignPicture(normal);
}

FontInfo TForm3::NoteFontInfo(const NoteFont& font) {
  return ToFontInfo(font, ScreenPixelsPerInch());
}

ImageProps TForm3::Face(Point at) {
  return {.bounds = {at.x, at.y, 85, 30}, .stretch = true};
}

LabelProps TForm3::ButtonCaption(Point at, const char* text) {
  return {.bounds = {at.x, at.y}, .caption = text, .font = note_layout::kButtonFont, .transparent = true};
}

TForm3& Form3() {
  static TForm3 form;
  return form;
}

}  // namespace velmora
