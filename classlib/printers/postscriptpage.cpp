#include "classlib/printers/postscriptpage.h"

#include <cstdio>
#include <cstring>
#include <vector>

AnsiString PostScriptPageSize(int widthTenths, int lengthTenths) {
  char text[128];
  std::snprintf(text, sizeof text, "<< /PageSize [%.2f %.2f] /ImagingBBox null >> setpagedevice\n",
                widthTenths * 72.0 / 254.0, lengthTenths * 72.0 / 254.0);
  return text;
}

bool IsUserPageSize(const DEVMODEW& devMode) {
  const DWORD sizes = DM_PAPERWIDTH | DM_PAPERLENGTH;
  if ((devMode.dmFields & sizes) != sizes || devMode.dmPaperWidth <= 0 || devMode.dmPaperLength <= 0)
    return false;
  return (devMode.dmFields & DM_PAPERSIZE) == 0 || devMode.dmPaperSize == DMPAPER_USER;
}

bool TellPostScriptPageSize(HDC dc, const DEVMODEW& devMode) {
  if (dc == nullptr || !IsUserPageSize(devMode))
    return false;
  // PASSTHROUGH sends the bytes; only a PostScript device also knows
  // POSTSCRIPT_PASSTHROUGH, so a device of another printer language is left alone.
  for (int escape : {PASSTHROUGH, POSTSCRIPT_PASSTHROUGH}) {
    if (ExtEscape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), 0, nullptr) <= 0)
      return false;
  }
  AnsiString code = PostScriptPageSize(devMode.dmPaperWidth, devMode.dmPaperLength);
  // PASSTHROUGH data: a 16-bit count, then the bytes.
  std::vector<char> data(sizeof(WORD) + code.size());
  WORD count = static_cast<WORD>(code.size());
  std::memcpy(data.data(), &count, sizeof count);
  std::memcpy(data.data() + sizeof count, code.data(), code.size());
  return ExtEscape(dc, PASSTHROUGH, static_cast<int>(data.size()), data.data(), 0, nullptr) > 0;
}
