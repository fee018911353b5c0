// The designer's regions, made in code as its form description would make
// them: tool bar, palette, inspector panel, page area, status bar, menus,
// dialogs, the design controller and the form's own default page.
#include <algorithm>

#include "classlib/controls/controlmaking.h"
#include "classlib/forms/shortcuts.h"
#include "classlib/system/numconv.h"
#include "layouts/dizaynanaf.h"
#include "layouts/dizaynanafinspector.h"
#include "layouts/layoutprototypes.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zreport.h"

namespace {

// The group every palette button belongs to: one of them is down.
constexpr int DesignerPaletteGroup = 2301;
constexpr int PaletteButtonWidth = 90;
constexpr int PaletteButtonHeight = 22;
constexpr int PaletteButtonsPerRow = 9;
constexpr int PushButtonWidth = 96;

TMenuItem* AddDesignerItem(TMenuItem* Parent, const char* Name, const AnsiString& Caption,
                           const TNotifyEvent& OnClick = nullptr, TShortCut Key = scNone) {
  TMenuItem* item = new TMenuItem(Parent->Owner());
  if (Name != nullptr)
    item->SetName(Name);
  item->SetCaption(Caption);
  item->OnClick = OnClick;
  item->SetShortCut(Key);
  Parent->Add(item);
  return item;
}

void AddDesignerSeparator(TMenuItem* Parent) { AddDesignerItem(Parent, nullptr, "-"); }

TPanel* MakeDesignerPanel(TComponent* Owner, TWinControl* Parent, const char* Name, TAlign Align) {
  TPanel* panel = MakeControl<TPanel>(Owner, Parent, Name);
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetAlign(Align);
  return panel;
}

}  // namespace

void TDizaynAnaF::CreateRegions() {
  CreateToolBar();
  CreatePalette();
  StatusBar1 = MakeControl<TStatusBar>(this, this, "StatusBar1");
  StatusBar1->SetSimplePanel(true);
  StatusBar1->SetAlign(alBottom);
  CreateInspectorPanel();
  CreatePageArea();
  CreateMenus();
  CreateDialogs();
  CreateController();
  CreateDefaultPage();
}

void TDizaynAnaF::CreateToolBar() {
  ToolBar1 = MakeControl<TToolBar>(this, this, "ToolBar1");
  ToolBar1->SetShowCaptions(true);
  ToolBar1->SetList(true);
  ToolBar1->SetFlat(true);
  ToolBar1->SetHeight(30);
  ToolBar1->SetShowHint(true);
  auto tool = [this](const char* Name, const char* Caption, const char* Hint, const TNotifyEvent& OnClick) {
    auto* button = MakeControl<TToolButton>(this, ToolBar1, Name);
    button->SetCaption(Caption);
    button->SetHint(Hint);
    button->OnClick = OnClick;
    return button;
  };
  ToolButton1 = tool("ToolButton1", "Yeni", "Yeni rapor dosyasi olustur", Method<&TDizaynAnaF::ToolButton1Click>(this));
  ToolButton2 = tool("ToolButton2", "Ac", "Rapor dosyasi ac", Method<&TDizaynAnaF::ToolButton2Click>(this));
  ToolButton3 = tool("ToolButton3", "Kaydet", "Rapor dosyasini kaydet", Method<&TDizaynAnaF::ToolButton3Click>(this));
  ToolButton4 = tool("ToolButton4", "Kes", "Secili nesneyi kes", Method<&TDizaynAnaF::Kes1Click>(this));
  ToolButton5 = tool("ToolButton5", "Kopyala", "Secili nesneyi kopyala", Method<&TDizaynAnaF::Kopyala1Click>(this));
  ToolButton6 = tool("ToolButton6", "Yapistir", "Yapistir", Method<&TDizaynAnaF::Yapistir1Click>(this));
  ToolButton7 = tool("ToolButton7", "Onizleme", "Onizleme (Ctrl+P)", Method<&TDizaynAnaF::ToolButton7Click>(this));
  ToolButton18 = tool("ToolButton18", "Cetvel", "Cetvel goster", Method<&TDizaynAnaF::ToolButton18Click>(this));
  ToolButton19 = tool("ToolButton19", "Kilavuz", "Kilavuza hizala", Method<&TDizaynAnaF::ToolButton19Click>(this));
  for (TToolButton* check : {ToolButton18, ToolButton19}) {
    check->SetStyle(tbsCheck);
    check->SetDown(true);
  }
  auto push = [this](const char* Name, const char* Caption, const TNotifyEvent& OnClick) {
    auto* button = MakeControlAt<TButton>(this, ToolBar1, Name, 0, 2, PushButtonWidth, 24);
    button->SetCaption(Caption);
    button->OnClick = OnClick;
    return button;
  };
  Button2 = push("Button2", "Ye&ni Sayfa", Method<&TDizaynAnaF::Button2Click>(this));
  Button1 = push("Button1", "Sayfayi &Sil", Method<&TDizaynAnaF::Button1Click>(this));
  Button3 = push("Button3", "&Etiket Ayarla", Method<&TDizaynAnaF::Button3Click>(this));
  Button4 = push("Button4", "&Kapat", Method<&TDizaynAnaF::Kapat1Click>(this));
  PlaceToolBarButtons();
}

void TDizaynAnaF::PlaceToolBarButtons() {
  // The bar places its tool buttons (sized to their captions) once it has a
  // window.
  if (ToolBar1->Parent() != nullptr && ToolBar1->Parent()->HandleAllocated())
    ToolBar1->HandleNeeded();
  int left = std::max(ToolButton19->Left() + ToolButton19->Width(), 420) + 8;
  for (TButton* button : {Button2, Button1, Button3, Button4}) {
    button->SetLeft(left);
    left += PushButtonWidth + 4;
  }
}

void TDizaynAnaF::CreatePalette() {
  DsnPanel1 = MakeControl<TDsnPanel>(this, this, "DsnPanel1");
  // Below the tool bar: controls aligned to the same side keep their order by position.
  DsnPanel1->SetTop(ToolBar1->Top() + ToolBar1->Height() + 1);
  DsnPanel1->SetAlign(alTop);
  DsnPanel1->SetCaption("");
  DsnPanel1->SetHeight(2 * PaletteButtonHeight + 6);
  DsnPanel1->SetShowHint(true);
  ArrowButton1 = MakeControlAt<TArrowButton>(this, DsnPanel1, "ArrowButton1", 2, 2, 60, 2 * PaletteButtonHeight);
  ArrowButton1->SetHint("Secme modu");
  ArrowButton1->SetCaption("Secme");
  ArrowButton1->SetGroupIndex(DesignerPaletteGroup);
  // The prototypes live on the hidden panel; each button shows its
  // prototype's class without the leading letter.
  const TLayoutPrototypes prototypes = BuildLayoutPrototypes(this, this);
  DsnDpstPanel = prototypes.Panel;
  PrototypeReport = prototypes.GraphicPage;
  ZReport1 = prototypes.TextPage;
  int index = 0;
  for (const TPaletteEntry& entry : LayoutPaletteEntries()) {
    const int column = index % PaletteButtonsPerRow;
    const int row = index / PaletteButtonsPerRow;
    auto* button = new TDsnButton(this);
    button->SetName("DsnButton" + IntToStr(index + 1));
    button->SetBounds(64 + column * PaletteButtonWidth, 2 + row * PaletteButtonHeight, PaletteButtonWidth,
                      PaletteButtonHeight);
    button->SetGroupIndex(DesignerPaletteGroup);
    button->SetGeneName(entry.GeneName);
    button->SetHint(entry.Hint);
    if (TComponent* prototype = FindComponent(entry.GeneName))
      button->SetCaption(prototype->ClassName().substr(1));
    button->SetParent(DsnPanel1);
    DsnPanel1->AddButton(button);
    PaletteButtons.push_back(button);
    ++index;
  }
}

void TDizaynAnaF::CreateInspectorPanel() {
  Panel3 = MakeDesignerPanel(this, this, "Panel3", alLeft);
  Panel3->SetWidth(233);
  Splitter1 = MakeControl<TSplitter>(this, this, "Splitter1");
  Splitter1->SetAlign(alLeft);
  Splitter1->SetLeft(Panel3->Width() + 1);
  Panel4 = MakeDesignerPanel(this, Panel3, "Panel4", alTop);
  Panel4->SetHeight(28);
  ComboBox1 = MakeControlAt<TComboBox>(this, Panel4, "ComboBox1", 4, 3, Panel3->Width() - 10, 21);
  ComboBox1->SetStyle(csDropDownList);
  ComboBox1->OnChange = Method<&TDizaynAnaF::ComboBox1Change>(this);
  PaintBox1 = MakeControl<TPaintBox>(this, Panel3, "PaintBox1");
  PaintBox1->SetAlign(alClient);
  Inspector = CreateDesignerInspector(*this);
}

void TDizaynAnaF::CreatePageArea() {
  ToolBarAlignment = MakeControl<TToolBar>(this, this, "ToolBarAlignment");
  ToolBarAlignment->SetAlign(alRight);
  ToolBarAlignment->SetWidth(28);
  ToolBarAlignment->SetShowHint(true);
  TabControl1 = MakeControl<TTabControl>(this, this, "TabControl1");
  TabControl1->SetAlign(alClient);
  TabControl1->OnChange = Method<&TDizaynAnaF::TabControl1Change>(this);
  Panel5 = MakeDesignerPanel(this, TabControl1, "Panel5", alClient);
  ScrollBar2 = MakeControl<TScrollBar>(this, Panel5, "ScrollBar2");
  ScrollBar2->SetKind(sbVertical);
  ScrollBar2->SetAlign(alRight);
  ScrollBar1 = MakeControl<TScrollBar>(this, Panel5, "ScrollBar1");
  ScrollBar1->SetKind(sbHorizontal);
  ScrollBar1->SetAlign(alBottom);
  DsnStage1 = MakeControlAt<TDsnStage>(this, Panel5, "DsnStage1", 0, 0, 820, 1140);
  DsnStage1->SetCaption("");
  DsnStage1->SetBevelOuter(bvNone);
  DsnStage1->Rubberband()->SetColor(clGray);
  DsnStage1->Rubberband()->SetPenWidth(2);
  DsnStage1->Rubberband()->SetMoveWidth(8);
  DsnStage1->Rubberband()->SetMoveHeight(8);
  DsnStage1->OnMoveQuery = Method<&TDizaynAnaF::DsnStage1MoveQuery>(this);
  DsnStage1->OnDeleteQuery = Method<&TDizaynAnaF::DsnStage1DeleteQuery>(this);
  DsnStage1->OnControlCreate = Method<&TDizaynAnaF::DsnStage1ControlCreate>(this);
  CreateAlignmentButtons();
  ScrollBar1->OnChange = Method<&TDizaynAnaF::ScrollBar1Change>(this);
  ScrollBar2->OnChange = Method<&TDizaynAnaF::ScrollBar2Change>(this);
  Panel5->OnResize = Method<&TDizaynAnaF::Panel5Resize>(this);
  DsnStage1->OnResize = Method<&TDizaynAnaF::Panel5Resize>(this);
}

// A4 portrait in millimetres with 10 mm margins, Arial 10: the page of a
// designer shown without a file.
void TDizaynAnaF::CreateDefaultPage() {
  Report1 = new TQuickRep(this);
  Report1->SetName("Report1");
  Report1->SetParent(DsnStage1);
  Report1->SetUnits(MM);
  Report1->Page()->SetPaperSize(TQRPaperSize::A4);
  Report1->Page()->SetOrientation(poPortrait);
  Report1->Page()->SetTopMargin(10);
  Report1->Page()->SetBottomMargin(10);
  Report1->Page()->SetLeftMargin(10);
  Report1->Page()->SetRightMargin(10);
  Report1->Font()->SetName("Arial");
  Report1->Font()->SetSize(10);
  Report1->SetOptions(TQuickRepOptions{FirstPageHeader, LastPageFooter});
  Report1->SetPrintIfEmpty(true);
  Report1->SetSnapToGrid(true);
  DetailBand1 = new TQRBand(this);
  DetailBand1->SetName("DetailBand1");
  DetailBand1->SetBandType(rbDetail);
  DetailBand1->SetParent(Report1);
}

void TDizaynAnaF::CreateMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* root = MainMenu1->Items();
  TMenuItem* dosya = AddDesignerItem(root, "Dosya1", "Dosya");
  YeniRapor1 = AddDesignerItem(dosya, "YeniRapor1", "Yeni Rapor", Method<&TDizaynAnaF::ToolButton1Click>(this),
                               ShortCut('N', TShiftState{ssCtrl}));
  YeniTextRapor1 =
      AddDesignerItem(dosya, "YeniTextRapor1", "Yeni Text Rapor", Method<&TDizaynAnaF::YeniTextRapor1Click>(this));
  YeniFaturaFis1 =
      AddDesignerItem(dosya, "YeniFaturaFis1", "Yeni Fatura-Fis", Method<&TDizaynAnaF::YeniFaturaFis1Click>(this));
  YeniTextFaturaFis1 = AddDesignerItem(dosya, "YeniTextFaturaFis1", "Yeni Text Fatura-Fis",
                                       Method<&TDizaynAnaF::YeniTextFaturaFis1Click>(this));
  AddDesignerSeparator(dosya);
  DosyaAc1 = AddDesignerItem(dosya, "DosyaAc1", "Dosya Ac", Method<&TDizaynAnaF::ToolButton2Click>(this),
                             ShortCut('O', TShiftState{ssCtrl}));
  Kaydet1 = AddDesignerItem(dosya, "Kaydet1", "Kaydet", Method<&TDizaynAnaF::ToolButton3Click>(this),
                            ShortCut('S', TShiftState{ssCtrl}));
  FarkliKaydet1 = AddDesignerItem(dosya, "FarkliKaydet1", "Farkli Kaydet", Method<&TDizaynAnaF::FarkliKaydet1Click>(this));
  AddDesignerSeparator(dosya);
  Kapat1 = AddDesignerItem(dosya, "Kapat1", "Kapat", Method<&TDizaynAnaF::Kapat1Click>(this));
  // The preview has no menu item: Ctrl+P reaches it through an action.
  ActionList1 = new TActionList(this);
  ActionList1->SetName("ActionList1");
  Onizleme1 = new TAction(this);
  Onizleme1->SetName("Onizleme1");
  Onizleme1->SetCaption("Onizleme");
  Onizleme1->SetShortCut(ShortCut('P', TShiftState{ssCtrl}));
  Onizleme1->OnExecute = Method<&TDizaynAnaF::ToolButton7Click>(this);
  Onizleme1->SetActionList(ActionList1);

  TMenuItem* duzen = AddDesignerItem(root, "Duzen1", "Duzen");
  Kopyala1 = AddDesignerItem(duzen, "Kopyala1", "Kopyala", Method<&TDizaynAnaF::Kopyala1Click>(this));
  Kes1 = AddDesignerItem(duzen, "Kes1", "Kes", Method<&TDizaynAnaF::Kes1Click>(this));
  Yapistir1 = AddDesignerItem(duzen, "Yapistir1", "Yapistir", Method<&TDizaynAnaF::Yapistir1Click>(this));
  Sil1 = AddDesignerItem(duzen, "Sil1", "Sil", Method<&TDizaynAnaF::Sil1Click>(this));
  SetMenu(MainMenu1);

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  TMenuItem* popup = PopupMenu1->Items();
  OneGetir1 = AddDesignerItem(popup, "OneGetir1", "One Getir", Method<&TDizaynAnaF::OneGetir1Click>(this));
  ArkayaGonder1 = AddDesignerItem(popup, "ArkayaGonder1", "Arkaya Gonder", Method<&TDizaynAnaF::ArkayaGonder1Click>(this));
  AddDesignerSeparator(popup);
  AddDesignerItem(popup, "Kopyala2", "Kopyala", Method<&TDizaynAnaF::Kopyala1Click>(this));
  AddDesignerItem(popup, "Kes2", "Kes", Method<&TDizaynAnaF::Kes1Click>(this));
  AddDesignerItem(popup, "Yapistir2", "Yapistir", Method<&TDizaynAnaF::Yapistir1Click>(this));
  AddDesignerItem(popup, "Sil2", "Sil", Method<&TDizaynAnaF::Sil1Click>(this));
  AddDesignerSeparator(popup);
  OtomatikKarakterNo1 = AddDesignerItem(popup, "OtomatikKarakterNo1", "Otomatik Karakter No",
                                        Method<&TDizaynAnaF::OtomatikKarakterNo1Click>(this));
  DsnStage1->SetCoverMenu(PopupMenu1);
}

void TDizaynAnaF::CreateDialogs() {
  SD = new TSaveDialog(this);
  SD->SetName("SD");
  SD->SetDefaultExt(DesignerDefaultExt);
  SD->SetFilter(DesignerFileFilter);
  SD->SetOptions(SD->Options() + TOpenOptions{ofOverwritePrompt});
  OD = new TOpenDialog(this);
  OD->SetName("OD");
  OD->SetDefaultExt(DesignerDefaultExt);
  OD->SetFilter(DesignerFileFilter);
  Cd = new TColorDialog(this);
  Cd->SetName("Cd");
  Fd = new TFontDialog(this);
  Fd->SetName("Fd");
  Opp = new TOpenPictureDialog(this);
  Opp->SetName("Opp");
}

// The eight-grip controller joins the stage, the palette and the arrow; the
// selection partner reports what is selected.
void TDizaynAnaF::CreateController() {
  DsnDpRegister1 = new TDsnDpRegister(this);
  DsnDpRegister1->SetName("DsnDpRegister1");
  DsnDpRegister1->SetDsnStage(DsnStage1);
  DsnDpRegister1->SetDsnPanel(DsnPanel1);
  DsnDpRegister1->SetArrowButton(ArrowButton1);
  DsnDpRegister1->OnMoveResize = Method<&TDizaynAnaF::DsnDpRegister1MoveResize>(this);
  DsnSelect1 = new TDsnSelect(this);
  DsnSelect1->SetName("DsnSelect1");
  DsnSelect1->SetDsnRegister(DsnDpRegister1);
  DsnSelect1->OnChangeSelected = Method<&TDizaynAnaF::DsnSelect1ChangeSelected>(this);
}
