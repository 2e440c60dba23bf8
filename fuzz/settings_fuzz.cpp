// The reader of "kvx.ini" on any file. Settings it reads must come back the
// same from the file the program writes of them.
#include <cstddef>
#include <cstdint>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "program/Settings.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  Settings settings;
  try {
    LoadSettings(input.File(), settings);
  } catch (const Error&) {
    return 0;
  }
  if (settings.brushSize < 1 || settings.brushSize > 100) fuzz::Fail("a brush size outside 1 to 100");
  if (settings.brushColor < -1 || settings.brushColor >= kBrushColorCount) fuzz::Fail("a brush colour outside its list");
  if (settings.noteColor < -1 || settings.noteColor >= kNoteColorCount) fuzz::Fail("a note colour outside its list");
  // As the program writes it: in the code page, or UTF-8 with its mark.
  const std::string text = EncodeTextFile(SettingsText(settings));
  Settings again;
  try {
    LoadSettings(fuzz::ScratchFile(text), again);
  } catch (const Error&) {
    fuzz::Fail("the program cannot read back the settings it wrote");
  }
  if (!(again == settings)) fuzz::Fail("the settings written read back different");
  return 0;
}
