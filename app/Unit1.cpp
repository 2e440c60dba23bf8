#include "app/Unit1.h"

#include "about/about.h"
#include "app/Program.h"
#include "app/Settings.h"
#include "app/StartupRoutine.h"
#include "app/StartupWindows.h"
#include "copywindow/copywindow.h"
#include "note/note.h"
#include "options/options.h"
#include "picture/Unit2.h"
#include "picture/brushsize.h"
#include "resources/ResourceIds.h"

namespace velmora {
namespace {

UniqueBitmap LoadPicture(int id) {
  return UniqueBitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

UniqueMenu MakePopupMenu1() {
  UniqueMenu menu(CreatePopupMenu());
  AppendMenuA(menu.Get(), MF_STRING, TForm1::kAbout1, "About");
  AppendMenuA(menu.Get(), MF_STRING, TForm1::kOptions1, "Options");
  AppendMenuA(menu.Get(), MF_STRING, TForm1::kDsjl1, "Exit");
  return menu;
}

}  // namespace

TForm1::TForm1()
    : Form({.className = "TForm1",
            .caption = "KVX",
            .border = BorderStyle::kNone,
            .stayOnTop = true,
            .origin = {192, 109},
            .clientSize = {233, 218},
            .color = colors::kBlue}),
      popupMenu1_(MakePopupMenu1()) {
  ib3.SetTag(1);  // "Brush" is the selected tool in the layout
  ibn.SetPicture(LoadPicture(IDB_IBN));
  iba.SetPicture(LoadPicture(IDB_IBA));
  ibp.SetPicture(LoadPicture(IDB_IBP));
  ibi.SetPicture(LoadPicture(IDB_IBI));
  ib2n.SetPicture(LoadPicture(IDB_IB2N));
  ib2a.SetPicture(LoadPicture(IDB_IB2A));
  ib2p.SetPicture(LoadPicture(IDB_IB2P));
  Image5.SetPicture(LoadPicture(IDB_BRUSH));
  Image2.SetPicture(LoadPicture(IDB_ERASELAST));
  Image3.SetPicture(LoadPicture(IDB_ERASEALL));

  // Labels and icons lying on a face act as the face.
  Label1.ForwardMouseTo(&Image1);
  Label9.ForwardMouseTo(&Image9);
  Label8.ForwardMouseTo(&Image8);
  Label7.ForwardMouseTo(&Image7);
  Label6.ForwardMouseTo(&Image6);
  for (auto [icon, label, face] : {std::tuple{&Image5, &Label2, &ib3}, std::tuple{&Image2, &Label3, &ib2},
                                   std::tuple{&Image3, &Label4, &ib1}}) {
    icon->ForwardMouseTo(face);
    label->ForwardMouseTo(face);
  }

  Timer1.OnTimer([this] { Timer1Timer(); });
  siz.OnChange([this] { sizChange(); });
  col.OnChange([this] { colChange(); });
  sw.OnClick([this] { swClick(); });
  Image1.OnClick([this] { BitBtn1Click(); });

  cti.emplace(Handle());
  UniqueIcon icon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_KVX), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), 0)));
  cti->SetIcon(icon.Get());  // the icon keeps its own copy
  cti->SetPopupMenu(popupMenu1_.Get());
  cti->SetOnClick([this](TTrayIcon&) { ctiClick(); });
  cti->SetOnMenuCommand([this](TTrayIcon&, UINT id) { MenuCommand(id); });
  cti->SetIconVisible(true);
  cti->Loaded();
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
    default: break;
  }
}

void TForm1::Timer1Timer() {
  StartupWindows windows(*this);
  RunStartup(windows);
}

void TForm1::sizChange() {
  Form5().BrushSizeChanged(siz.Position(), {Left(), Top()}, siz.Bounds(), Timer1.Tag() == 1, [this] { colChange(); });
}

void TForm1::colChange() { Form5().SetBrushColor(col.Selected()); }

void TForm1::swClick() {
  // "Copy win" lifts pieces of the screen picture, so it works only while that picture is shown.
  const bool on = sw.Checked();
  Image6.AssignPicture(on ? ibn : ibi);
  Image6.SetEnabled(on);
  Label6.SetEnabled(on);
}

void TForm1::ctiClick() {
  // Opening a drawing session (or finishing it while the toolbar is shown)
  // arrives with the drawing surface's behaviour.
}

void TForm1::BitBtn1Click() {
  // "Done" arrives with the drawing session.
}

void TForm1::About1Click() { Form10().Show(); }

void TForm1::Options1Click() {
  if (Visible()) BitBtn1Click();
  Form7().Show();
}

void TForm1::Dsjl1Click() {
  SaveSettings();
  PostQuitMessage(0);
}

void TForm1::GiveFaces() {
  for (Image* face : {&Image1, &Image6, &Image7, &Image8, &Image9}) face->AssignPicture(ibn);
  if (!sw.Checked()) Image6.AssignPicture(ibi);
  ib3.AssignPicture(ib2p);
  ib2.AssignPicture(ib2n);
  ib1.AssignPicture(ib2n);
  for (Image* face : {&Form7().Image3, &Form7().Image4, &Form7().Image5}) face->AssignPicture(ibn);
  Form3().GiveFaces(ibn);
  Form4().GiveFaces(ibn);
}

void TForm1::SaveSettings() { velmora::SaveSettings(WorkFile(kSettingsFileName), CollectSettings(*this)); }

TForm1& Form1() {
  static TForm1 form;
  return form;
}

}  // namespace velmora
