// A caption that an edit-like skinned control keeps beside itself. While
// Active it owns a TsEditLabel (owned by the control as a component) and
// places it by Layout, Indent and MaxWidth; while inactive it only keeps the
// settings and a font for the label to come.
#pragma once
#include <memory>

#include "classlib/classes/persistent.h"
#include "classlib/graphics/font.h"

class TWinControl;
class TsCommonData;
class TsEditLabel;

enum TsCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };
DOZURI_ENUM(TsCaptionLayout, "sclLeft", "sclTopLeft", "sclTopCenter", "sclTopRight");

class TsBoundLabel : public TPersistent {
  DECLARE_CLASS(TsBoundLabel, TPersistent)

public:
  TsBoundLabel(TWinControl* Control, TsCommonData* CommonData);
  ~TsBoundLabel() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  AnsiString Caption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  TFont* Font() const;
  void SetFont(TFont* Value);
  TsCaptionLayout Layout() const { return FLayout; }
  void SetLayout(TsCaptionLayout Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  bool UseSkinColor() const;
  void SetUseSkinColor(bool Value);

  TsEditLabel* TheLabel() const { return FTheLabel; }
  TsCommonData* CommonData() const { return FCommonData; }
  TWinControl* Control() const { return FControl; }

  // The label's alignment for the layout (with a label only).
  void UpdateAlignment();
  // Places a visible label beside the control.
  void UpdatePosition();

private:
  friend class TsEditLabel;
  // The label was freed from elsewhere (its owner went first): the bound
  // label forgets it and turns inactive.
  void LabelDestroyed(TsEditLabel* Label);
  void CreateLabel();
  void PlaceLabel();

  int FMaxWidth = 0;
  AnsiString FCaption;
  TsCaptionLayout FLayout = sclLeft;
  std::unique_ptr<TFont> FKeptFont;
  int FIndent = 0;
  bool FActive = false;
  TsEditLabel* FTheLabel = nullptr;
  TsCommonData* FCommonData;
  TWinControl* FControl;
};
