#include "note/FontFile.h"

#include <array>
#include <cstdlib>
#include <limits>

#include "base/CodePage.h"
#include "base/FileReplace.h"
#include "base/TextFile.h"

namespace velmora {
namespace {

// Codes 0 to 10 are the program's table; 11 to 15 hold the sets it lacks, so
// that every chosen style survives the file.
constexpr std::array<FontStyles, 16> kStyleCodes = {{
    {},                                                                    // 0
    {.strikeOut = true},                                                   // 1
    {.underline = true},                                                   // 2
    {.italic = true},                                                      // 3
    {.bold = true},                                                        // 4
    {.underline = true, .strikeOut = true},                                // 5
    {.italic = true, .underline = true},                                   // 6
    {.bold = true, .italic = true},                                        // 7
    {.italic = true, .underline = true, .strikeOut = true},                // 8
    {.bold = true, .italic = true, .underline = true},                     // 9
    {.bold = true, .italic = true, .underline = true, .strikeOut = true},  // 10
    {.bold = true, .underline = true},                                     // 11
    {.bold = true, .strikeOut = true},                                     // 12
    {.italic = true, .strikeOut = true},                                   // 13
    {.bold = true, .italic = true, .strikeOut = true},                     // 14
    {.bold = true, .underline = true, .strikeOut = true},                  // 15
}};
constexpr int kFirstTwoDigitCode = 10;

// MulDiv's rounding: to the nearest integer, halves away from zero; as
// MulDiv, -1 when the result leaves the 32-bit range (a huge size in the
// file). The denominator (72 or the pixels per inch) is positive.
int MulDivRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long rounded = (std::llabs(product) + denominator / 2) / denominator;
  const long long result = product < 0 ? -rounded : rounded;
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}

}  // namespace

FontStyles StylesOfCode(int code) {
  if (code < 0 || code >= static_cast<int>(kStyleCodes.size())) return {};
  return kStyleCodes[static_cast<size_t>(code)];
}

int StyleCode(const FontStyles& style) {
  for (size_t code = 0; code < kStyleCodes.size(); ++code)
    if (kStyleCodes[code] == style) return static_cast<int>(code);
  return 0;  // not reached: the table holds all sixteen sets
}

FontStyles StylesFromLine(std::string_view line, const FontStyles& current) {
  FontStyles style = current;
  if (!line.empty() && line[0] >= '0' && line[0] <= '9')
    style = kStyleCodes[static_cast<size_t>(line[0] - '0')];
  // A two-digit code was first taken by its first character alone.
  for (size_t code = kFirstTwoDigitCode; code < kStyleCodes.size(); ++code)
    if (line == std::to_string(code)) style = kStyleCodes[code];
  return style;
}

Color ColorFromText(std::string_view text) {
  if (auto named = ColorFromName(text)) return *named;
  return static_cast<Color>(StrToInt(text));
}

std::string ColorText(Color color) {
  return std::to_string(static_cast<std::int32_t>(color));
}

std::string FontFileText(const NoteFont& font) {
  return JoinLinesCrLf({std::to_string(font.size), font.name, std::to_string(font.charset),
                        ColorText(font.color), std::to_string(StyleCode(font.style))});
}

void WriteFontFile(const std::string& path, const NoteFont& font) {
  ReplaceFileContents(path, EncodeTextFile(FontFileText(font)));
}

void ReadFontFile(const std::string& path, NoteFont& font) {
  LineReader lines(DecodeTextFile(ReadFileBytes(path)));
  font.size = StrToInt(lines.Next());
  font.name = lines.Next();
  font.charset = StrToInt(lines.Next());
  font.color = ColorFromText(lines.Next());
  font.style = StylesFromLine(lines.Next(), font.style);
}

FontInfo ToFontInfo(const NoteFont& font, int pixelsPerInch) {
  return {.name = font.name,
          .height = MulDivRounded(font.size, pixelsPerInch, 72),
          .dpi = pixelsPerInch,
          .bold = font.style.bold,
          .italic = font.style.italic,
          .underline = font.style.underline,
          .strikeOut = font.style.strikeOut,
          .charset = font.charset,
          .color = font.color};
}

NoteFont FromFontInfo(const FontInfo& font, int pixelsPerInch) {
  return {.size = MulDivRounded(font.height, 72, pixelsPerInch),
          .name = font.name,
          .charset = font.charset,
          .color = font.color,
          .style = {.bold = font.bold,
                    .italic = font.italic,
                    .underline = font.underline,
                    .strikeOut = font.strikeOut}};
}

}  // namespace velmora
