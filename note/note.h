#pragma once
// The text window (TForm3): a memo to type the note in, the note background
// colour box and the buttons "Done", "Font" and "Close" on the bottom panel.
#include "note/FontFile.h"
#include "imaging/Bitmap.h"
#include "ui/ColorBox.h"
#include "ui/FontDialog.h"
#include "ui/Form.h"
#include "ui/GraphicControls.h"
#include "ui/Panels.h"
#include "ui/SystemControls.h"
#include "ui/Timer.h"

namespace velmora {

namespace note_layout {
// Index of clInfoBk in the note colour list.
inline constexpr int kInfoBkIndex = 38;
// Caption of a hover button, laid over its face.
inline const FontInfo kButtonFont{.name = "Arial", .height = 13, .bold = true, .color = colors::kWhite};
}  // namespace note_layout

class TForm3 : public Form {
 public:
  TForm3();

  // Docked first, so that the memo fills what is left above it.
  Panel Panel1{*this, {.bounds = {0, 0, 0, 83}, .dock = Dock::kBottom}};
  Memo m1{*this,
          {.wordWrap = true,
           .scrollBars = ScrollBars::kNone,
           .font = NoteFontInfo(NoteFont{}),
           .color = colors::kInfoBk,
           .dock = Dock::kFill}};
  // Shown over the memo only while a note is stamped. No scroll bar: rows
  // beyond its height are simply not part of the note.
  ListBox lb{*this,
             {.border3D = true,
              .scrollBar = false,
              .font = NoteFontInfo(NoteFont{}),
              .color = colors::kInfoBk,
              .visible = false,
              .dock = Dock::kFill}};

  Image Image1{Panel1, Face({8, 6})};
  Label Label1{Panel1, ButtonCaption({33, 13}, "Done")};
  ColorBox cbn{
      Panel1, {.bounds = {104, 11, 85, 22}, .colors = NamedColors(), .itemIndex = note_layout::kInfoBkIndex}};
  Image Image3{Panel1, Face({8, 46})};
  Label Label3{Panel1, ButtonCaption({33, 53}, "Close")};
  Image Image2{Panel1, Face({104, 46})};
  Label Label2{Panel1, ButtonCaption({129, 53}, "Font")};

  // Its font is the note font.
  FontDialog fd{NoteFontInfo(NoteFont{})};
  Timer tact{*this, {.interval = 50, .enabled = false}};

  // What the window needs of the toolbar: its Space-key poll `sht` started
  // again, and the toolbar shown.
  struct ToolbarHooks {
    Handler startSpacePoll;
    Handler showToolbar;
  };
  void SetToolbarHooks(ToolbarHooks hooks) { hooks_ = std::move(hooks); }

  // The opening's second step: the note font from "font.typ" in the work
  // directory. A missing file raises "File not found" with the font as it
  // was; a bad number raises its conversion error with the lines before it
  // applied.
  void LoadNoteFont();

  // "Done": writes "font.typ", stamps the note onto the layers where the
  // user sees the text, and closes the window, giving the toolbar back.
  void BitBtn1Click();
  // "Font": the system's font dialog; a confirmed choice becomes the note font.
  void BitBtn2Click();
  // "Close": discards the text and gives the toolbar back.
  void Label3Click();
  // Every close, the title bar's close box too: the Space key works again.
  void FormClose();
  // The note background colour: the list and the memo take the colour selected in `cbn`.
  void cbnChange();

  // The note as the list draws it: its rows in the note font on the note
  // background colour, the size of the list's client area. The list is
  // shown over the memo while it draws.
  Bitmap RenderNote();

  // Start-up gives the three faces the toolbar's normal button picture.
  void GiveFaces(const Image& normal);

  // A note font in this screen's pixels.
  static FontInfo NoteFontInfo(const NoteFont& font);

 private:
  static ImageProps Face(Point at);
  static LabelProps ButtonCaption(Point at, const char* text);

  void SetNoteFont(const FontInfo& font);
  void GiveToolbarBack();

  ToolbarHooks hooks_;
};

// The program's text window, created hidden at the first call.
TForm3& Form3();

}  // namespace velmora
