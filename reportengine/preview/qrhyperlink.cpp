#include "reportengine/preview/qrhyperlink.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>

#include "classlib/graphics/wintext.h"
#include "classlib/system/mathutils.h"

namespace {

// Created on first use; its records go with the module.
std::vector<TQRHyperlinkSourceRecord>& Sources() {
  static std::vector<TQRHyperlinkSourceRecord> sources;
  return sources;
}

TQRShellOpener& Opener() {
  static TQRShellOpener opener;
  return opener;
}

void ShellOpenText(HWND parent, const AnsiString& target) {
  if (Opener()) {
    Opener()(parent, target);
    return;
  }
  const std::wstring wide = WideOf(target);
  ShellExecuteW(parent, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool StartsWithNoCase(const AnsiString& text, const char* prefix) {
  const std::size_t length = std::char_traits<char>::length(prefix);
  if (text.size() < length)
    return false;
  for (std::size_t i = 0; i < length; ++i) {
    const auto a = static_cast<unsigned char>(text[i]);
    const auto b = static_cast<unsigned char>(prefix[i]);
    if (std::toupper(a) != std::toupper(b))
      return false;
  }
  return true;
}

int RoundToPageUnits(int pixels, int zoom) {
  return static_cast<int>(Round(static_cast<double>(pixels) / zoom * 100));
}

}  // namespace

int QRHyperlinkHit(const std::vector<TQRHyperlinkArea>& areas, int X, int Y, int Zoom) {
  if (Zoom <= 0)
    return -1;
  const int x = RoundToPageUnits(X, Zoom);
  const int y = RoundToPageUnits(Y, Zoom);
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const TQRHyperlinkArea& area = areas[i];
    if (area.Left <= x && x <= area.Right && area.Top <= y && y <= area.Bottom)
      return static_cast<int>(i);
  }
  return -1;
}

void RegisterQRHyperlinkSource(const AnsiString& Prefix, TQRHyperlinkHandler Handler) {
  Sources().push_back({Prefix, std::move(Handler)});
}

void UnregisterQRHyperlinkSource(const AnsiString& Prefix) {
  auto& sources = Sources();
  sources.erase(std::remove_if(sources.begin(), sources.end(),
                               [&](const TQRHyperlinkSourceRecord& r) { return r.Prefix == Prefix; }),
                sources.end());
}

bool OfferQRHyperlink(TQRPrinter* Printer, const AnsiString& Text) {
  // A copy: a handler may register or unregister while it runs.
  const std::vector<TQRHyperlinkSourceRecord> sources = Sources();
  for (const TQRHyperlinkSourceRecord& source : sources) {
    if (Text.compare(0, source.Prefix.size(), source.Prefix) != 0)
      continue;
    if (source.Handler)
      source.Handler(Printer, Text.substr(source.Prefix.size()));
    return true;
  }
  return false;
}

void DispatchQRHyperlink(TQRPrinter* Printer, const AnsiString& Link, HWND Parent) {
  if (StartsWithNoCase(Link, "EXT:")) {
    ShellOpenText(Parent, Link.substr(4));
  } else if (StartsWithNoCase(Link, "INT:")) {
    OfferQRHyperlink(Printer, Link.substr(4));
  } else if (!OfferQRHyperlink(Printer, Link)) {
    ShellOpenText(Parent, Link);
  }
}

TQRShellOpener SetQRShellOpener(TQRShellOpener Opener_) {
  TQRShellOpener previous = std::move(Opener());
  Opener() = std::move(Opener_);
  return previous;
}
