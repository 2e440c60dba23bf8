#include "ui/FontDialog.h"

#include <commdlg.h>

#include "base/CodePage.h"
#include "base/DpiScale.h"
#include "ui/Dpi.h"
#include "ui/Gdi.h"

namespace velmora {

bool FontDialog::Execute(HWND owner) {
  // The dialog reads and gives heights in the screen's pixels.
  const int dpi = SystemDpi();
  LOGFONTW logFont{};
  logFont.lfHeight = -FontHeightBetweenDpis(font_.height, font_.dpi, dpi);
  logFont.lfWeight = font_.bold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = font_.italic;
  logFont.lfUnderline = font_.underline;
  logFont.lfStrikeOut = font_.strikeOut;
  logFont.lfCharSet = static_cast<BYTE>(font_.charset);
  Utf8ToWide(font_.name).copy(logFont.lfFaceName, LF_FACESIZE - 1);

  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = owner;
  choose.lpLogFont = &logFont;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  const COLORREF shown = ToColorRef(font_.color);
  choose.rgbColors = shown;
  if (!ChooseFontW(&choose)) return false;

  font_.name = WideToUtf8(logFont.lfFaceName);
  font_.height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
  font_.dpi = dpi;
  font_.bold = logFont.lfWeight >= FW_BOLD;
  font_.italic = logFont.lfItalic != 0;
  font_.underline = logFont.lfUnderline != 0;
  font_.strikeOut = logFont.lfStrikeOut != 0;
  font_.charset = logFont.lfCharSet;
  // An unchanged colour keeps its system colour, which follows the system's scheme.
  if (choose.rgbColors != shown) font_.color = static_cast<Color>(choose.rgbColors & 0x00FFFFFFu);
  return true;
}

}  // namespace velmora
