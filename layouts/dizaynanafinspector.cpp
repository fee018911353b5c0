#include "layouts/dizaynanafinspector.h"

#include <algorithm>
#include <memory>

#include "layouts/designinspector.h"
#include "layouts/dizaynanaf.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zreport.h"

class TDizaynInspectorHost : public TInspectorHost {
public:
  explicit TDizaynInspectorHost(TDizaynAnaF& Form) : F(Form) {}

  int SelectedCount() override { return std::max(F.DsnDpRegister1->SelectedCount(), 0); }
  TControl* SelectedControl(int Index) override { return F.DsnDpRegister1->SelectedControl(Index); }
  void UpdateSelection() override { F.DsnDpRegister1->UpdateSelection(); }
  bool IsTextLayout() override { return F.IsZReport(); }
  bool IsInvoiceLayout() override { return F.IsFatura(); }
  TQuickRep* CurrentGraphicPage() override { return F.CurrentQuickRep; }
  TComponent* DesignRoot() override { return &F; }
  AnsiString Translate(const AnsiString& Text) override { return F._(Text); }
  void ShowInfo(const AnsiString& Text) override { F.MesajBilgi(Text); }
  void SetLayoutModified() override { LayoutModified = true; }
  void SizeStageToPage() override {
    F.FitStageToPage(F.IsZReport() ? static_cast<TControl*>(F.CurrentZReport) : F.CurrentQuickRep);
  }
  // New bands get covered, removed ones are forgotten by the stage.
  void BandsChanged() override {
    F.DsnDpRegister1->SetActive(false);
    F.DsnDpRegister1->SetActive(true);
    if (!SuppressDeleteNotice)
      PostMessageW(F.Handle(), DesignerDeleteNotice, 0, 0);
    F.RepaintGraphicPages();
    F.ZReportDuzenle();
  }
  // The component list follows the new name; a renamed page gets its tab
  // renamed, the current tab staying current.
  void ComponentRenamed(TComponent* Component, const AnsiString&) override {
    F.AddComponentsCombo();
    F.ComboBox1->SetItemIndex(F.ComboBox1->Items()->IndexOf(Component->Name()));
    if (dynamic_cast<TQuickRep*>(Component) == nullptr && dynamic_cast<TZReport*>(Component) == nullptr)
      return;
    TControl* current = F.IsZReport() ? static_cast<TControl*>(F.CurrentZReport) : F.CurrentQuickRep;
    F.TabControlDuzenle();
    if (current != nullptr)
      F.TabControl1->SetTabIndex(std::max(F.TabControl1->Tabs()->IndexOf(current->Name()), 0));
  }
  void SelectComponent(TComponent* Component) override { F.SelectInComponentList(Component); }

private:
  TDizaynAnaF& F;
};

namespace {

// The inspector of the designer with the host it talks to.
class TDizaynInspector : public TDesignInspector {
public:
  TDizaynInspector(TDizaynAnaF& Form, std::unique_ptr<TDizaynInspectorHost> Host)
      : TDesignInspector(&Form, Host.get(), Form.Panel3, Form.PaintBox1), FHost(std::move(Host)), FPanel(Form.Panel3) {
    FPanel->OnResize = Method<&TDizaynInspector::PanelResize>(this);
  }
  // The panel, made before the inspector, outlives it.
  ~TDizaynInspector() override { FPanel->OnResize = TNotifyEvent(); }

private:
  // Only a real change of size re-places the editor (laying out a new
  // window reports sizes that did not change).
  void PanelResize(TObject*) {
    if (FPanel->Width() == FWidth && FPanel->Height() == FHeight)
      return;
    FWidth = FPanel->Width();
    FHeight = FPanel->Height();
    SelectRow(ActiveRow());
  }

  std::unique_ptr<TDizaynInspectorHost> FHost;
  TPanel* FPanel;
  int FWidth = -1;
  int FHeight = -1;
};

}  // namespace

TDesignInspector* CreateDesignerInspector(TDizaynAnaF& Form) {
  return new TDizaynInspector(Form, std::make_unique<TDizaynInspectorHost>(Form));
}
