// The designer's pages: new and deleted pages, the page tabs, the page
// switch, the component list, the switch between graphic and text layouts,
// and the start of a new layout (NewReport with its marker box).
//
// A new page takes the first free name "Report<n>", so a page added after a
// middle page was deleted is named like any other.
#include "classlib/forms/dialogservice.h"
#include "classlib/system/numconv.h"
#include "layouts/core/bindinghints.h"
#include "layouts/dizaynanaf.h"
#include "layouts/designinspector.h"
#include "layouts/layoutprototypes.h"
#include "layouts/runnerbinding.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zreport.h"
#include "textreport/output/zrprntr.h"

namespace {

constexpr char DeletePageQuestion[] = "Bu sayfayi silmek istediginizden emin misiniz?";
constexpr char DeletePageCaption[] = "Soru";
constexpr char SelectionCountSuffix[] = " adet nesne secili";
// The stage is the page with this margin right and below.
constexpr int StageMargin = 20;

bool IsLayoutPage(TComponent* C, bool TextPages) {
  if (C == nullptr || C->Tag() == PrototypeTag)
    return false;
  return TextPages ? dynamic_cast<TZReport*>(C) != nullptr : dynamic_cast<TQuickRep*>(C) != nullptr;
}

bool IsAnyPage(TComponent* C) { return dynamic_cast<TQuickRep*>(C) != nullptr || dynamic_cast<TZReport*>(C) != nullptr; }

// Whether the control's parent chain passes through Page.
bool LiesOn(const TControl* Control, const TControl* Page) {
  for (const TWinControl* p = Control->Parent(); p != nullptr; p = p->Parent())
    if (p == Page)
      return true;
  return false;
}

}  // namespace

// ---- Page lists ----------------------------------------------------------------------

std::vector<TControl*> TDizaynAnaF::LayoutPages(bool TextPages) {
  std::vector<TControl*> pages;
  for (int k = 0; k < ComponentCount(); ++k)
    if (IsLayoutPage(Components(k), TextPages))
      pages.push_back(static_cast<TControl*>(Components(k)));
  return pages;
}

TControl* TDizaynAnaF::CurrentPage() const {
  if (CurrentQuickRep != nullptr)
    return static_cast<TControl*>(CurrentQuickRep);
  return static_cast<TControl*>(CurrentZReport);
}

AnsiString TDizaynAnaF::FirstFreePageName() {
  for (int n = 1;; ++n) {
    const AnsiString name = ReportPageNamePrefix + IntToStr(n);
    if (FindComponent(name) == nullptr)
      return name;
  }
}

// ---- New page and delete page ----------------------------------------------------------

void TDizaynAnaF::Button2Click(TObject*) {
  DsnDpRegister1->UnselectAll();
  DsnDpRegister1->SetActive(false);
  const AnsiString name = FirstFreePageName();
  if (IsZReport()) {
    auto* page = new TZReport(this);
    page->SetName(name);
    page->SetRunTimeVisible(true);
    page->SetParent(DsnStage1);
    page->Bands()->SetHas(zbtDetail, true);
    page->SetPixelLeft(0);
    page->SetPixelTop(0);
    page->Options()->SetPaperType(zptContinuous);
    page->Options()->SetPreviewMode(zpmWholeReport);
    page->Options()->SetScissors(false);
    CurrentZReport = page;
  } else {
    auto* page = new TQuickRep(this);
    page->SetName(name);
    page->SetParent(DsnStage1);
    page->Bands()->SetHasDetail(true);
    page->SetLeft(0);
    page->SetTop(0);
    CurrentQuickRep = page;
  }
  DsnDpRegister1->SetActive(true);
  AddComponentsCombo();
  TabControlDuzenle();
  TabControl1->SetTabIndex(TabControl1->Tabs()->IndexOf(name));
  TabControl1Change(this);
  ZReportDuzenle();
}

void TDizaynAnaF::Button1Click(TObject*) {
  const int index = TabControl1->TabIndex();
  TComponent* page = index > 0 ? FindComponent(TabControl1->Tabs()->Strings(index)) : nullptr;
  if (page != nullptr) {
    TMessageBoxRequest question;
    question.Caption = _(DeletePageCaption);
    question.Text = _(DeletePageQuestion);
    question.Flags = MB_YESNO | MB_ICONQUESTION;
    if (DialogService().MessageBox(question) == IDYES) {
      DsnDpRegister1->SetActive(false);
      page->Free();  // the current page reference goes with it (Notification)
      // A deleted page is a change like any other: closing asks to save it.
      LayoutModified = true;
      TabControlDuzenle();
      DsnDpRegister1->SetActive(true);
      TabControl1Change(this);
      AddComponentsCombo();
    }
  }
  ZReportDuzenle();
}

// ---- Tabs and the page switch ----------------------------------------------------------

void TDizaynAnaF::TabControlDuzenle() {
  TStrings* tabs = TabControl1->Tabs();
  tabs->Clear();
  for (TControl* page : LayoutPages(IsZReport()))
    tabs->Add(page->Name());
  if (tabs->Count() > 0)
    TabControl1->SetTabIndex(0);
}

void TDizaynAnaF::TabControl1Change(TObject*) {
  const bool text = IsZReport();
  DsnDpRegister1->UnselectAll();
  for (TControl* page : LayoutPages(text))
    page->SetVisible(false);
  const int index = TabControl1->TabIndex();
  if (index < 0 || index >= TabControl1->Tabs()->Count())
    return;
  auto* page = dynamic_cast<TControl*>(FindComponent(TabControl1->Tabs()->Strings(index)));
  if (page == nullptr)
    return;
  page->SetVisible(true);
  DsnDpRegister1->UnselectAll();
  if (text)
    CurrentZReport = dynamic_cast<TZReport*>(page);
  else
    CurrentQuickRep = dynamic_cast<TQuickRep*>(page);
  AddComponentsCombo();
  SelectInComponentList(page);
  FitStageToPage(page);
  if (auto* graphic = dynamic_cast<TQuickRep*>(page))
    graphic->Page()->SetRuler(ToolButton18->Down());
}

void TDizaynAnaF::FitStageToPage(TControl* Page) {
  if (auto* text = dynamic_cast<TZReport*>(Page)) {
    TPoint size;
    GetZReportSize(text, size);
    DsnStage1->SetBounds(DsnStage1->Left(), DsnStage1->Top(), size.x + StageMargin, size.y + StageMargin);
  } else if (Page != nullptr) {
    DsnStage1->SetBounds(DsnStage1->Left(), DsnStage1->Top(), Page->Width() + StageMargin,
                         Page->Height() + StageMargin);
  }
  ScrollBarDuzenle();
}

void TDizaynAnaF::GetZReportSize(TZReport* Page, TPoint& Size) {
  Size = TPoint{0, 0};
  if (Page == nullptr)
    return;
  const TZRCharMetrics cell = Page->GetCharMetrics();
  Size.x = Page->Width() * cell.Width;
  Size.y = Page->Height() * cell.Height;
}

void TDizaynAnaF::RepaintGraphicPages() {
  for (int k = 0; k < ComponentCount(); ++k)
    if (auto* control = dynamic_cast<TControl*>(Components(k));
        control != nullptr && (dynamic_cast<TQuickRep*>(control) != nullptr || IsInstanceOf(control, "TQRCustomBand")))
      control->Invalidate();
}

// ---- The component list ----------------------------------------------------------------

void TDizaynAnaF::AddComponentsCombo() {
  TStrings* items = ComboBox1->Items();
  items->Clear();
  TControl* page = CurrentPage();
  if (page == nullptr)
    return;
  for (int k = 0; k < ComponentCount(); ++k) {
    auto* control = dynamic_cast<TControl*>(Components(k));
    if (control == nullptr)
      continue;
    if (control == page || (control->Visible() && LiesOn(control, page)))
      items->Add(control->Name());
  }
}

void TDizaynAnaF::SelectInComponentList(TComponent* Component) {
  if (Component == nullptr)
    return;
  ComboBox1->SetItemIndex(ComboBox1->Items()->IndexOf(Component->Name()));
  DsnSelect1->SelectComponent(Component);
}

void TDizaynAnaF::ComboBox1Change(TObject*) {
  const int index = ComboBox1->ItemIndex();
  if (index < 0 || index >= ComboBox1->Items()->Count())
    return;
  if (TComponent* chosen = FindComponent(ComboBox1->Items()->Strings(index)))
    DsnSelect1->SelectComponent(chosen);
}

void TDizaynAnaF::DsnSelect1ChangeSelected(TObject*, TSelectedComponents* Targets, TSelectOperation) {
  const int count = Targets != nullptr ? Targets->Count() : 0;
  if (count > 0)
    Inspector->SelectRow(Inspector->ActiveRow());
  if (count == 1) {
    Panel4->SetCaption("");
    ComboBox1->SetVisible(true);
    ComboBox1->SetItemIndex(ComboBox1->Items()->IndexOf(Targets->ComponentAt(0)->Name()));
  } else if (count > 1) {
    ComboBox1->SetVisible(false);
    Panel4->SetCaption(IntToStr(count) + SelectionCountSuffix);
  }
}

// ---- The layout-kind switch ------------------------------------------------------------

void TDizaynAnaF::ZReportDuzenle() {
  const bool text = IsZReport();
  const bool invoice = IsFatura();
  ToolBarAlignment->SetVisible(!text);
  Button3->SetVisible(!text && !invoice);
  SwitchPalette(text);
  ToolButton18->SetEnabled(!text);
  ToolButton19->SetEnabled(!text);
  Button2->SetVisible(!invoice);
  Button1->SetVisible(!invoice);
}

void TDizaynAnaF::SwitchPalette(bool TextLayout) {
  const auto entries = LayoutPaletteEntries();
  for (std::size_t i = 0; i < entries.size() && i < PaletteButtons.size(); ++i) {
    if (entries[i].Kind == TPaletteKind::Graphic)
      PaletteButtons[i]->SetEnabled(!TextLayout);
    else if (entries[i].Kind == TPaletteKind::Text)
      PaletteButtons[i]->SetEnabled(TextLayout);
  }
}

// ---- A new layout ----------------------------------------------------------------------

void TDizaynAnaF::DeleteStagePage(TControl* Page, bool Notice) {
  const bool protect = ProtectCurrentPage;
  const bool suppress = SuppressDeleteNotice;
  ProtectCurrentPage = false;
  SuppressDeleteNotice = !Notice;
  try {
    DsnDpRegister1->SelectOnly(Page);
    DsnStage1->DeleteSelection();
  } catch (...) {
    ProtectCurrentPage = protect;
    SuppressDeleteNotice = suppress;
    throw;
  }
  ProtectCurrentPage = protect;
  SuppressDeleteNotice = suppress;
}

void TDizaynAnaF::CreateTextLayoutMarker() {
  auto* marker = new TCheckBox(this);
  marker->SetName(TextLayoutMarkerName);
  marker->SetBounds(0, 0, 100, 17);
  marker->SetParent(DsnStage1);
  marker->SetChecked(true);
}

void TDizaynAnaF::NewReport(bool TextLayout) {
  for (int k = ComponentCount() - 1; k >= 0; --k) {
    if (k >= ComponentCount())
      continue;
    TComponent* c = Components(k);
    if (!IsAnyPage(c) || c->Tag() == PrototypeTag)
      continue;
    DeleteStagePage(static_cast<TControl*>(c), false);
    if (auto* marker = dynamic_cast<TControl*>(FindComponent(TextLayoutMarkerName)))
      DeleteStagePage(marker, true);
  }
  CurrentQuickRep = nullptr;
  CurrentZReport = nullptr;
  if (TextLayout)
    CreateTextLayoutMarker();
  Button2Click(this);
}
