// The skin manager's menu options, edited in the form designer and streamed
// with the manager: the section painted as the icon column of popup menus
// and the extra-line strip at their side. The menu painter reads them.
#pragma once
#include <memory>

#include "classlib/classes/persistent.h"
#include "classlib/classes/typinfo.h"
#include "classlib/graphics/font.h"

class TacMenuSupport : public TPersistent {
  DECLARE_CLASS(TacMenuSupport, TPersistent)

public:
  TacMenuSupport();
  ~TacMenuSupport() override;

  // The section of the icon column; the manager fills in "ICOLINE" once it
  // has loaded with the value still empty.
  AnsiString IcoLineSkin() const { return FIcoLineSkin; }
  void SetIcoLineSkin(const AnsiString& Value) { FIcoLineSkin = Value; }
  // Popup menus get the extra-line strip, this wide.
  bool UseExtraLine() const { return FUseExtraLine; }
  void SetUseExtraLine(bool Value) { FUseExtraLine = Value; }
  int ExtraLineWidth() const { return FExtraLineWidth; }
  void SetExtraLineWidth(int Value) { FExtraLineWidth = Value; }
  // The strip's font (owned; the setter copies).
  TFont* ExtraLineFont() const { return FExtraLineFont.get(); }
  void SetExtraLineFont(TFont* Value) { FExtraLineFont->Assign(Value); }

  void Assign(TPersistent* Source) override;

private:
  AnsiString FIcoLineSkin;
  bool FUseExtraLine = false;
  int FExtraLineWidth = 32;
  std::unique_ptr<TFont> FExtraLineFont = std::make_unique<TFont>();
};
