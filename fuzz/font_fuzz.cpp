// The reader of "font.typ" on any file. A font it reads must come back the
// same from the file the program writes of it, and convert to the window
// layer's font at any screen resolution.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "note/FontFile.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  NoteFont font;
  try {
    ReadFontFile(input.File(), font);
  } catch (const Error&) {
    return 0;
  }
  for (const int pixelsPerInch : {96, 120, 144, 192}) {
    const FontInfo info = ToFontInfo(font, pixelsPerInch);
    // At 72 pixels per inch or more a character is no smaller than its size
    // in points, unless the height overflows (-1, as the system's MulDiv).
    if (info.height != -1 && std::llabs(info.height) < std::llabs(static_cast<long long>(font.size)))
      fuzz::Fail("the character height wrapped around");
    static_cast<void>(FromFontInfo(info, pixelsPerInch));
  }
  // As the program writes it: in the code page, or UTF-8 with its mark.
  const std::string text = EncodeTextFile(FontFileText(font));
  NoteFont again;
  try {
    ReadFontFile(fuzz::ScratchFile(text), again);
  } catch (const Error&) {
    fuzz::Fail("the program cannot read back the font file it wrote");
  }
  if (!(again == font)) fuzz::Fail("the font file written reads back different");
  return 0;
}
