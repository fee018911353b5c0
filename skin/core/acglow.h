// The glow around a highlighted control or caption button: a borderless,
// click-through layered window a little larger than the control, painted
// from the section's glow mask, placed around the control and cut where the
// control itself is hidden. The effects live in one library-wide array and
// are named by their index in it; a removed effect leaves an empty slot, so
// the indexes of the others stay valid. Without a skin manager, or without
// layered windows, no glow is ever made.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/classes/object.h"
#include "classlib/controls/messages.h"
#include "classlib/graphics/bitmap.h"
#include "skin/core/skinbitmaps.h"

class TForm;
class TsSkinManager;

class TacGlowEffect : public TObject {
  DECLARE_CLASS(TacGlowEffect, TObject)

public:
  TacGlowEffect() = default;
  ~TacGlowEffect() override;

  // Makes the glow window around ControlRect (screen coordinates), cut to
  // ClipRect (the visible part in the control's coordinates), and shows it
  // without activating it. Nothing when the window exists already. Alpha
  // has no effect.
  void Show(const RECT& ControlRect, const RECT& ClipRect, int Alpha, HWND ParentWnd);
  // A new 32-bit glow image W x H, transparent black, with the mask's
  // normal state laid over all of it.
  virtual void PrepareBitmap(int Width, int Height);
  // The glow window's procedure: mouse input passes to the windows below.
  void WindowProc(TMessage& Message);

  TsSkinManager* SkinManager = nullptr;
  int MaskIndex = -1;
  int Margin = 0;  // pixels the glow lies inside the mask's border widths
  TForm* GlowWindow() const { return FWindow; }
  TBitmap* GlowImage() const { return FImage.get(); }

private:
  // Cuts the image and the size by the hidden parts of the control; gives
  // the left and top cuts.
  POINT ClipGlow(const RECT& ControlRect, const RECT& ClipRect, int& W, int& H);
  void CreateGlowWindow();

  TForm* FWindow = nullptr;
  TWndMethod FSavedWindowProc;
  std::unique_ptr<TBitmap> FImage;
};

using TacGlowEffects = std::vector<TacGlowEffect*>;
// The library-wide array of glow effects.
TacGlowEffects& GlowEffects();
// The blend handed to UpdateLayeredWindow for glow windows.
extern BLENDFUNCTION GlowBlend;
// Replaces UpdateLayeredWindow for glow windows when set (tests record the
// window, its size and image through it).
extern TUpdateLayeredWindow GlowLayeredUpdate;

// Adds and shows the glow of Section's mask "<MaskPrefix>0" (no parent
// section fall-back) around a control; gives its index, or -1 without
// layered windows, manager (Manager, else the default one) or mask.
int AddGlowEffect(const RECT& ControlRect, const RECT& ClipRect, const AnsiString& Section,
                  const AnsiString& MaskPrefix, int Margin, int Alpha, HWND ParentWnd, TsSkinManager* Manager);
// Frees the effect and empties its slot; other indexes are ignored.
void RemoveGlowEffect(int Index);
// Frees every effect and empties the array.
void ClearGlowEffects();
