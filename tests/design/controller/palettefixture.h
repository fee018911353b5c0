// The design surface with a palette: an arrow button and creation buttons
// whose prototypes sit on a hidden panel of the same form, a label
// prototype and a panel prototype holding a panel of its own.
#pragma once
#include "design/dsnpanel.h"
#include "surfacefixture.h"

// A label that cannot finish loading: a copy holding one fails at its end.
class TBrokenLabel : public TQRLabel {
  DECLARE_CLASS(TBrokenLabel, TQRLabel)

public:
  explicit TBrokenLabel(TComponent* AOwner) : TQRLabel(AOwner) {}
  void Loaded() override;
};

class PaletteSurface : public DesignSurface {
protected:
  void SetUp() override;

  // A creation button naming GeneName, joined to the palette.
  TDsnButton* AddButton(const char* GeneName);
  // Posts a left press and release on a palette button and runs the loop.
  void ClickButton(TSpeedButton* Button);
  // The number of components the form holds whose name starts with Prefix.
  int NamedLike(const AnsiString& Prefix) const;

  TDsnPanel* palette = nullptr;
  TArrowButton* arrow = nullptr;
  TPanel* prototypes = nullptr;
  TQRLabel* labelPrototype = nullptr;
  TPanel* panelPrototype = nullptr;
  TPanel* innerPrototype = nullptr;
  TDsnButton* labelButton = nullptr;
  TDsnButton* panelButton = nullptr;
  std::vector<TComponent*> created;  // OnControlCreate, in order
};
