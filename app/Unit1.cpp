#include "app/Unit1.h"

#include <map>
#include <memory>

#include "about/about.h"
#include "app/OutsideWallpaper.h"
#include "app/ScreenGrab.h"
#include "app/SessionKeys.h"
#include "app/StartupRoutine.h"
#include "app/StartupWindows.h"
#include "app/ToolbarFaces.h"
#include "app/ToolbarMotion.h"
#include "base/Product.h"
#include "copywindow/copywindow.h"
#include "note/note.h"
#include "options/options.h"
#include "imaging/SessionCommands.h"
#include "picture/Unit2.h"
#include "picture/brushsize.h"
#include "program/Program.h"
#include "program/Settings.h"
#include "program/Wallpaper.h"
#include "resources/ResourceIds.h"
#include "winbase/ErrorBox.h"

namespace velmora {
namespace {

UniqueBitmap LoadBitmapResource(int id) {
  return UniqueBitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// A face or icon with its drawings for 100, 150 and 200 %.
std::shared_ptr<const ShownPicture> LoadPicture(int id) {
  std::map<int, UniqueBitmap> drawings;
  drawings.emplace(96, LoadBitmapResource(id));
  drawings.emplace(144, LoadBitmapResource(id + IDB_AT_150));
  drawings.emplace(192, LoadBitmapResource(id + IDB_AT_200));
  return ShownPicture::ForLayout(std::move(drawings));
}

UniqueMenu MakePopupMenu1() {
  UniqueMenu menu(CreatePopupMenu());
  AppendMenuA(menu.Get(), MF_STRING, TForm1::kAbout1, "About");
  AppendMenuA(menu.Get(), MF_STRING, TForm1::kOptions1, "Options");
  AppendMenuA(menu.Get(), MF_STRING, TForm1::kNextWallpaper1, "Next wallpaper");
  AppendMenuA(menu.Get(), MF_STRING, TForm1::kDsjl1, "Exit");
  return menu;
}

}  // namespace

void TForm1::SelectTool(Tool tool) {
  for (const ToolFace& entry : toolFaces_) {
    const bool chosen = entry.tool == tool;
    const bool small = SmallToolFace(*entry.face);
    entry.face->SetTag(chosen ? 1 : 0);
    entry.face->AssignPicture(chosen ? (small ? ib3p : ib2p) : (small ? ib3n : ib2n));
    if (entry.label) entry.label->SetFontColor(chosen ? colors::kBlack : colors::kWhite);
  }
}

void TForm1::ib3Click() { SelectTool(Tool::kBrush); }
void TForm1::ib2Click() { SelectTool(Tool::kEraseLast); }
void TForm1::ib1Click() { SelectTool(Tool::kEraseAll); }

Tool TForm1::SelectedTool() const {
  for (const ToolFace& entry : toolFaces_)
    if (entry.face->Tag() != 0) return entry.tool;
  return Tool::kBrush;
}

bool TForm1::SmallToolFace(const Image& face) const {
  // The layout's three tools are the ones with a label.
  for (const ToolFace& entry : toolFaces_)
    if (entry.face == &face) return entry.label == nullptr;
  return false;
}

TForm1::TForm1()
    : Form({.className = "TForm1",
            .caption = "KVX",
            .border = BorderStyle::kNone,
            .stayOnTop = true,
            .origin = {192, 109},
            .clientSize = {233, 218},
            .color = colors::kBlue}),
      popupMenu1_(MakePopupMenu1()),
      toolFaces_{{{Tool::kBrush, &ib3, &Image5, &Label2},
                  {Tool::kEraseLast, &ib2, &Image2, &Label3},
                  {Tool::kEraseAll, &ib1, &Image3, &Label4},
                  {Tool::kLine, &ibLine, &ImageLine, nullptr},
                  {Tool::kArrow, &ibArrow, &ImageArrow, nullptr},
                  {Tool::kRectangle, &ibRectangle, &ImageRectangle, nullptr},
                  {Tool::kEllipse, &ibEllipse, &ImageEllipse, nullptr},
                  {Tool::kNumber, &ibNumber, &ImageNumber, nullptr},
                  {Tool::kHighlighter, &ibHighlighter, &ImageHighlighter, nullptr}}} {
  ib3.SetTag(1);  // "Brush" is the selected tool in the layout
  ibn.SetPicture(LoadPicture(IDB_IBN));
  iba.SetPicture(LoadPicture(IDB_IBA));
  ibp.SetPicture(LoadPicture(IDB_IBP));
  ibi.SetPicture(LoadPicture(IDB_IBI));
  ib2n.SetPicture(LoadPicture(IDB_IB2N));
  ib2a.SetPicture(LoadPicture(IDB_IB2A));
  ib2p.SetPicture(LoadPicture(IDB_IB2P));
  ib3n.SetPicture(LoadPicture(IDB_IB3N));
  ib3a.SetPicture(LoadPicture(IDB_IB3A));
  ib3p.SetPicture(LoadPicture(IDB_IB3P));
  Image5.SetPicture(LoadPicture(IDB_BRUSH));
  Image2.SetPicture(LoadPicture(IDB_ERASELAST));
  Image3.SetPicture(LoadPicture(IDB_ERASEALL));
  ImageLine.SetPicture(LoadPicture(IDB_LINE));
  ImageArrow.SetPicture(LoadPicture(IDB_ARROW));
  ImageRectangle.SetPicture(LoadPicture(IDB_RECTANGLE));
  ImageEllipse.SetPicture(LoadPicture(IDB_ELLIPSE));
  ImageNumber.SetPicture(LoadPicture(IDB_NUMBER));
  ImageHighlighter.SetPicture(LoadPicture(IDB_HIGHLIGHTER));

  // Labels and icons lying on a face act as the face.
  Label1.ForwardMouseTo(&Image1);
  Label9.ForwardMouseTo(&Image9);
  Label8.ForwardMouseTo(&Image8);
  Label7.ForwardMouseTo(&Image7);
  Label6.ForwardMouseTo(&Image6);
  for (const ToolFace& entry : toolFaces_) {
    entry.icon->ForwardMouseTo(entry.face);
    if (entry.label) entry.label->ForwardMouseTo(entry.face);
  }

  Timer1.OnTimer([this] { Timer1Timer(); });
  siz.OnChange([this] { sizChange(); });
  col.OnChange([this] { colChange(); });
  sw.OnClick([this] { swClick(); });
  Image1.OnClick([this] { BitBtn1Click(); });
  ib3.OnClick([this] { ib3Click(); });
  ib2.OnClick([this] { ib2Click(); });
  ib1.OnClick([this] { ib1Click(); });
  for (const ToolFace& entry : toolFaces_)
    if (!entry.label) entry.face->OnClick([this, tool = entry.tool] { SelectTool(tool); });
  Image9.OnClick([this] { sb7Click(); });
  Image8.OnClick([this] { sb6Click(); });
  Image7.OnClick([this] { sb5Click(); });
  Image6.OnClick([this] { sb8Click(); });
  Form2().SetStrokeHooks({.tool = [this] { return SelectedTool(); },
                          .brushSize = [this] { return siz.Position(); },
                          .brushColor = [this] { return col.Selected(); },
                          .showWindows = [this] { return sw.Checked(); },
                          .begin = [this] { Hide(); },
                          .end = [this] {
                            if (!SpaceHidden()) Show();
                          }});
  Form4().SetToolbarHooks({.spacePoll =
                               [this](bool on) {
                                 if (on)
                                   ResumeSpacePoll(*this);
                                 else
                                   sht.SetEnabled(false);
                               },
                           .show = [this] { Show(); }});
  Form3().SetToolbarHooks(
      {.startSpacePoll = [this] { ResumeSpacePoll(*this); }, .showToolbar = [this] { Show(); }});

  cti.emplace(Handle());
  UniqueIcon icon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_KVX), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), 0)));
  cti->SetIcon(icon.Get());  // the icon keeps its own copy
  cti->SetPopupMenu(popupMenu1_.Get());
  cti->SetOnClick([this](TTrayIcon&) { ctiClick(); });
  cti->SetOnMenuCommand([this](TTrayIcon&, UINT id) { MenuCommand(id); });
  cti->SetOnMenuPopup([this](TTrayIcon&) {
    EnableMenuItem(popupMenu1_.Get(), kNextWallpaper1,
                   MF_BYCOMMAND | (Form7().CanStepWallpaper() ? MF_ENABLED : MF_GRAYED));
  });
  cti->SetIconVisible(true);
  cti->Loaded();

  WireHoverScheme(*this);
  WireToolbarMotion(*this);
  WireSessionKeys(*this);
}

TForm1::~TForm1() = default;

LabelProps TForm1::CommandLabel(Point at, const char* caption, const FontInfo& font) {
  return {.bounds = {at.x, at.y, 0, 0}, .caption = caption, .font = font, .transparent = true};
}

LabelProps TForm1::ToolLabel(Point at, const char* caption, bool selected) {
  FontInfo font = toolbar_fonts::kTool;
  font.color = selected ? colors::kBlack : colors::kWhite;
  return {.bounds = {at.x, at.y, 0, 0}, .caption = caption, .font = font, .transparent = true};
}

ImageProps TForm1::Hidden(int width, int height) { return {.bounds = {0, 0, width, height}, .visible = false}; }

ColorBoxProps TForm1::BrushColors() {
  return {.bounds = {16, 129, 100, 22},
          .colors = NamedColors().first(kStandardAndExtendedCount),
          .itemIndex = 0,
          .itemHeight = 16,
          .font = FontInfo{.color = colors::kWhite},
          .color = colors::kBlue};
}

void TForm1::MenuCommand(UINT id) {
  switch (id) {
    case kAbout1: About1Click(); break;
    case kOptions1: Options1Click(); break;
    case kDsjl1: Dsjl1Click(); break;
    case kNextWallpaper1: Form7().NextWallpaper(); break;
    default: break;
  }
}

void TForm1::Timer1Timer() {
  // The hotkey works, and the windows lie where they can be reached, even when
  // a later start-up step fails.
  struct AfterStartup {
    TForm1& toolbar;
    ~AfterStartup() {
      // Never out of a destructor; start-up's own error, if any, is the one to show.
      try {
        RegisterHotKeys(toolbar);
      } catch (...) {
      }
      for (Form* form : std::initializer_list<Form*>{&toolbar, &Form3(), &Form4()}) form->KeepOnAMonitor();
    }
  } afterStartup{*this};
  StartupWindows windows(*this);
  RunStartup(windows);
  WatchOutsideWallpaper(*this);
}

void TForm1::sizChange() {
  Form5().BrushSizeChanged(siz.Position(), {Left(), Top()}, siz.Bounds(), Timer1.Tag() == 1, [this] { colChange(); });
}

void TForm1::colChange() { Form5().SetBrushColor(col.Selected()); }

void TForm1::swClick() {
  const bool on = sw.Checked();
  SwitchShowWindows(Form2().LayerImages(), on);
  Form2().Invalidate();
  // "Copy win" lifts pieces of the screen picture, so it works only while that picture is shown.
  Image6.AssignPicture(on ? ibn : ibi);
  Image6.SetEnabled(on);
  Label6.SetEnabled(on);
}

void TForm1::ctiClick() {
  if (Form2().Visible()) {
    FinishSession();
    return;
  }
  // A Space typed in another program before this click is no toggle.
  ResumeSpacePoll(*this);
  TForm2& surface = Form2();
  const DesktopFrame& frame = surface.Frame();
  surface.History().Clear();
  Layers& layers = surface.LayerImages();
  // The visible canvas is replaced by the grab: its memory takes it.
  GrabScreen(layers.i1, frame);
  const Rect covered = surface.CoveredArea();
  OpenSession(layers, std::move(layers.i1), covered.width, covered.height, sw.Checked());
  // The screen snapshot is the grab itself.
  OfferGrabOnClipboard([]() -> const Bitmap& { return Form2().LayerImages().i3; });
  Form2().Invalidate();
  Form2().Show();
  ClearSpaceHidden();
  Show();  // stays on top of the drawing surface
}

void TForm1::FinishSession() {
  TForm2& surface = Form2();
  if (surface.Stroking()) surface.i1MouseUp();  // the stroke under way is part of the work
  BitBtn1Click();
  // Saved: the text and copy windows close as their close boxes close them,
  // so a typed note waits for the next opening. A failed save keeps them open.
  for (Form* window : std::initializer_list<Form*>{&Form3(), &Form4()})
    if (window->Visible()) window->Close();
  sht.SetEnabled(false);  // their closing resumed the Space poll
}

void TForm1::BitBtn1Click() {
  TForm2& surface = Form2();
  SaveWorkFiles(surface.LayerImages(), WorkDirectory(), surface.Frame());
  ApplyWallpaper(WorkFile("1.bmp"), surface.Frame());
  surface.SetComposedFor(LayoutText(surface.Frame()));
  sht.SetEnabled(false);
  Hide();
  surface.Hide();
  // Monitors changed during the session: the saved work now follows them.
  if (surface.DesktopChangePending()) FollowDesktop(*this);
  OutsideWallpaperAfterSession();
}

void TForm1::sb6Click() {
  Form2().History().Clear();
  CancelLast(Form2().LayerImages(), sw.Checked());
  Form2().Invalidate();
}

void TForm1::sb7Click() {
  Form2().History().Clear();
  CancelAll(Form2().LayerImages());
  Form2().Invalidate();
}

void TForm1::sb5Click() {
  Form3().Show();
  // A missing or broken "font.typ" ends the opening here: the toolbar stays.
  Form3().LoadNoteFont();
  sht.SetEnabled(false);
  Hide();
}

void TForm1::sb8Click() {
  Form4().RenewColorKey();
  Form4().Show();
  sht.SetEnabled(false);
  Hide();
}

void TForm1::About1Click() { Form10().Show(); }

void TForm1::Options1Click() {
  if (Form2().Visible()) FinishSession();
  // The folders' picture counts as they are now.
  if (!Form7().Visible()) Form7().SetWallpaperList(Form7().WallpaperList());
  Form7().Show();
}

void TForm1::Dsjl1Click() { SaveSettingsAndExit(); }

void TForm1::SaveSettingsAndExit() {
  try {
    SaveSettings();
  } catch (...) {
    ReportCurrentException();  // the previous file stays whole
  }
  PostQuitMessage(0);
}

void TForm1::GiveFaces() {
  for (Image* face : {&Image1, &Image6, &Image7, &Image8, &Image9}) face->AssignPicture(ibn);
  if (!sw.Checked()) Image6.AssignPicture(ibi);
  SelectTool(SelectedTool());
  for (Image* face : {&Form7().Image3, &Form7().Image4, &Form7().Image5}) face->AssignPicture(ibn);
  Form3().GiveFaces(ibn);
  Form4().GiveFaces(ibn);
}

void TForm1::SaveSettings() {
  if (!keepSettingsFile_) velmora::SaveSettings(WorkFile(kSettingsFileName), CollectSettings(*this));
}

TForm1& Form1() {
  static TForm1 form;
  return form;
}

}  // namespace velmora
