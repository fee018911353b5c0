#include "palettefixture.h"

#include "reportengine/printables/qrprintablesreg.h"

IMPLEMENT_CLASS(TBrokenLabel)

void TBrokenLabel::Loaded() {
  TQRLabel::Loaded();
  throw EReadError("broken");
}

void PaletteSurface::SetUp() {
  DesignSurface::SetUp();
  RegisterDsnPanelClasses();
  RegisterQRPrintableClasses();
  RegisterClasses({TPanel::StaticClass()});

  prototypes = new TPanel(host);
  prototypes->SetName("DsnDpstPanel");
  prototypes->SetVisible(false);
  prototypes->SetParent(host);
  labelPrototype = new TQRLabel(host);
  labelPrototype->SetName("Dpst_QRLabel");
  labelPrototype->SetAutoSize(false);
  labelPrototype->SetCaption("Metin");
  labelPrototype->SetParent(prototypes);
  panelPrototype = new TPanel(host);
  panelPrototype->SetName("Dpst_Panel");
  panelPrototype->SetParent(prototypes);
  innerPrototype = new TPanel(host);
  innerPrototype->SetName("Inner");
  innerPrototype->SetParent(panelPrototype);

  palette = new TDsnPanel(host);
  palette->SetName("DsnPanel1");
  palette->SetAlign(alTop);
  palette->SetHeight(60);
  palette->SetParent(host);
  arrow = new TArrowButton(host);
  arrow->SetName("ArrowButton1");
  arrow->SetBounds(8, 8, 40, 40);
  arrow->SetParent(palette);
  labelButton = AddButton("DpsT_QRLabel");
  panelButton = AddButton("Dpst_Panel");
  controller->SetDsnPanel(palette);
  controller->SetArrowButton(arrow);
  stage->OnControlCreate = TControlCreate([this](TObject*, TComponent* c) { created.push_back(c); });
  test_support::Pump();
}

TDsnButton* PaletteSurface::AddButton(const char* GeneName) {
  auto* button = new TDsnButton(host);
  button->SetGeneName(GeneName);
  button->SetBounds(8 + 48 * static_cast<int>(palette->Buttons().size() + 1), 8, 40, 40);
  button->SetParent(palette);
  palette->AddButton(button);
  return button;
}

void PaletteSurface::ClickButton(TSpeedButton* Button) {
  const LPARAM at = MAKELPARAM(Button->Left() + 5, Button->Top() + 5);
  PostMessageW(palette->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  test_support::Pump();
  PostMessageW(palette->Handle(), WM_LBUTTONUP, 0, at);
  test_support::Pump();
}

int PaletteSurface::NamedLike(const AnsiString& Prefix) const {
  int count = 0;
  for (int i = 0; i < host->ComponentCount(); ++i)
    if (host->Components(i)->Name().starts_with(Prefix))
      ++count;
  return count;
}
