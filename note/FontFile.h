#pragma once
// The note font and its file "font.typ": five lines (size in points, face
// name, charset, colour value, style code), each ended by CR LF.
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/Color.h"
#include "ui/FontInfo.h"

namespace velmora {

inline constexpr char kFontFileName[] = "font.typ";

// A set of font styles.
struct FontStyles {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  friend bool operator==(const FontStyles&, const FontStyles&) = default;
};

struct NoteFont {
  int size = 10;  // points
  std::string name = "MS Sans Serif";
  int charset = kDefaultCharset;
  Color color = colors::kWindowText;
  FontStyles style{};
  friend bool operator==(const NoteFont&, const NoteFont&) = default;
};

// The style sets that codes 0 to 15 stand for: 0 to 10 as the program has
// always written them, 11 to 15 the five sets that table lacks (bold with
// underline, bold with strike-out, italic with strike-out, bold italic
// strike-out, bold underline strike-out). Other codes give no style.
FontStyles StylesOfCode(int code);
// The code written for a style set; every set has one.
int StyleCode(const FontStyles& style);
// Line 5 as the reader takes it: its first character "0" to "9" gives the
// set of that code, any other (or none) keeps `current`; a whole line "10"
// to "15" gives the set of that code.
FontStyles StylesFromLine(std::string_view line, const FontStyles& current);

// "String to colour": a colour identifier such as "clRed", or a strict
// decimal integer taken as the colour value; anything else raises
// "'<text>' is not a valid integer value".
Color ColorFromText(std::string_view text);
// The colour value as a signed decimal (clWindowText is -16777208).
std::string ColorText(Color color);

// The file's five lines, each ended by CR LF.
std::string FontFileText(const NoteFont& font);
// Writes the file whole through a temporary file; raises the file error.
void WriteFontFile(const std::string& path, const NoteFont& font);
// Reads the file into `font` line by line: on a conversion error the lines
// before the failing one stay applied. A missing file raises "File not found".
void ReadFontFile(const std::string& path, NoteFont& font);

// The note font as the window layer draws it: its size in points becomes a
// character height in pixels at `pixelsPerInch`, and back.
FontInfo ToFontInfo(const NoteFont& font, int pixelsPerInch);
NoteFont FromFontInfo(const FontInfo& font, int pixelsPerInch);

}  // namespace velmora
