// TsLabelFX: a label drawn in a colour of its own kind (TsKind) over a
// blurred drop shadow (TsShadow). It draws both with or without a skin; a
// skin only supplies the shadow (smSkin1) and the text colour (ktSkin).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/classes/persistent.h"
#include "classlib/graphics/bitmap.h"
#include "skin/controls/slabel.h"

class TsLabelFX;

enum TsShadowMode { smNone, smCustom, smSkin1 };
DOZURI_ENUM(TsShadowMode, "smNone", "smCustom", "smSkin1");

enum TsKindType { ktStandard, ktCustom, ktSkin };
DOZURI_ENUM(TsKindType, "ktStandard", "ktCustom", "ktSkin");

// The shadow's settings; every change repaints the owner label.
class TsShadow : public TPersistent {
  DECLARE_CLASS(TsShadow, TPersistent)

public:
  explicit TsShadow(TsLabelFX* Owner = nullptr) : FOwner(Owner) {}

  TsShadowMode Mode() const { return FMode; }
  void SetMode(TsShadowMode Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int BlurCount() const { return FBlurCount; }
  void SetBlurCount(int Value);
  int Distance() const { return FDistance; }
  void SetDistance(int Value);

  void Assign(TPersistent* Source) override;

  // The red, green and blue of the shadow colour last set or drawn.
  int Red() const { return FRed; }
  int Green() const { return FGreen; }
  int Blue() const { return FBlue; }
  void StoreComponents(TColor Value);

private:
  void Changed();

  TsLabelFX* FOwner;
  TsShadowMode FMode = smSkin1;
  TColor FColor = 0;
  int FBlurCount = 4;
  int FDistance = 1;
  int FRed = 0, FGreen = 0, FBlue = 0;
};

// Where the text colour comes from.
class TsKind : public TPersistent {
  DECLARE_CLASS(TsKind, TPersistent)

public:
  explicit TsKind(TsLabelFX* Owner = nullptr) : FOwner(Owner) {}

  TsKindType KindType() const { return FKindType; }
  void SetKindType(TsKindType Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  void Assign(TPersistent* Source) override;

private:
  void Changed();

  TsLabelFX* FOwner;
  TsKindType FKindType = ktSkin;
  TColor FColor = 0xFFFFFF;
};

class TsLabelFX : public TsCustomLabel {
  DECLARE_CLASS(TsLabelFX, TsCustomLabel)

public:
  explicit TsLabelFX(TComponent* AOwner);
  ~TsLabelFX() override;

  TsShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(TsShadow* Value) { FShadow->Assign(Value); }
  TsKind* Kind() const { return FKind.get(); }
  void SetKind(TsKind* Value) { FKind->Assign(Value); }

  // The room left for the shadow by the last measuring: left and top move
  // in by -InsetLow, right and bottom by InsetHigh.
  int InsetLow() const { return FInsetLow; }
  int InsetHigh() const { return FInsetHigh; }

protected:
  void DoDrawText(TRect& Rect, UINT Flags) override;

private:
  struct ShadowLook {
    TColor Color;
    int BlurCount;
    int Distance;
  };
  ShadowLook CurrentShadow();
  TColor TextColour() const;
  void DrawEmbossed(TRect& Rect, const AnsiString& Text, UINT Flags);
  void MeasureShadowRoom(TRect& Rect, const ShadowLook& Look);
  RECT InsetRect(const RECT& Rect) const;
  void DrawWithShadow(const TRect& Rect, const AnsiString& Text, UINT Flags, const ShadowLook& Look);
  void BlurMask(int Count);
  void Composite();

  std::unique_ptr<TBitmap> FShadowBitmap;
  std::vector<std::uint8_t> FBlurBuffer;  // only grows
  std::unique_ptr<TsShadow> FShadow;
  int FInsetLow = 0;
  int FInsetHigh = 0;
  std::unique_ptr<TsKind> FKind;
};
