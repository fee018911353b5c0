#include "surfacefixture.h"

void TActivatingPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_APP && Controller != nullptr) {
    Controller->SetActive(true);
    return;
  }
  TPanel::Dispatch(Message);
}

void TDesignClickPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DESIGNHITTEST) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_LBUTTONDOWN)
    ++Presses;
  TPanel::Dispatch(Message);
}

namespace {

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name) {
  auto* control = new T(owner);
  control->SetName(name);
  control->SetParent(parent);
  return control;
}

}  // namespace

void DesignSurface::SetUp() {
  host = fixture.Host();
  stage = Make<TDsnStage>(host, host, "Stage");
  stage->SetAlign(alClient);
  report = Make<TQuickRep>(host, stage, "Report1");
  report->SetShowProgress(false);
  report->SetLeft(8);
  report->SetTop(8);
  band = report->CreateBand(rbDetail);
  label1 = Make<TQRLabel>(host, band, "Label1");
  label1->SetAutoSize(false);
  label1->SetCaption("Ad");
  label1->SetBounds(10, 5, 60, 20);
  label2 = Make<TQRLabel>(host, band, "Label2");
  label2->SetAutoSize(false);
  label2->SetCaption("Soyad");
  label2->SetBounds(80, 5, 60, 20);
  barcode = Make<TStBarCode>(host, band, "Barcode1");
  barcode->SetBounds(160, 2, 90, 30);
  combo = Make<TComboBox>(host, stage, "Combo1");
  combo->SetStyle(csDropDown);
  combo->SetBounds(330, 8, 100, 24);
  controller = new TRecordingRegister(host);
  controller->SetName("DsnDpRegister1");
  controller->SetDsnStage(stage);
  select = new TDsnSelect(host);
  select->SetName("DsnSelect1");
  select->SetDsnRegister(controller);
  select->OnChangeSelected = TChangeSelected([this](TObject*, TSelectedComponents* targets, TSelectOperation op) {
    TSelectionNotice notice{op, {}};
    for (int i = 0; i < targets->Count(); ++i)
      notice.Targets.push_back(targets->ComponentAt(i));
    notices.push_back(notice);
  });
  fixture.Show();
}

void DesignSurface::TearDown() {
  controller->SetActive(false);
  test_support::Pump();
  EXPECT_EQ(TAgent::LiveCount(), 0) << "no agent outlives design mode";
}

HWND DesignSurface::ComboEdit() const { return GetWindow(combo->Handle(), GW_CHILD); }

std::vector<HWND> DesignSurface::Windows() const {
  return {stage->Handle(), report->Handle(), band->Handle(), label1->Handle(),
          label2->Handle(), combo->Handle(),  ComboEdit()};
}

std::vector<LONG_PTR> DesignSurface::Procedures() const {
  std::vector<LONG_PTR> procedures;
  for (HWND window : Windows())
    procedures.push_back(GetWindowLongPtrW(window, GWLP_WNDPROC));
  return procedures;
}

LRESULT DesignSurface::HitTest(HWND Window) const {
  POINT origin{1, 1};
  ClientToScreen(Window, &origin);
  return SendMessageW(Window, WM_NCHITTEST, 0, MAKELPARAM(origin.x, origin.y));
}

void DesignSurface::Click(TWinControl* Control, TPoint Point) {
  const LPARAM at = MAKELPARAM(Point.x, Point.y);
  PostMessageW(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  test_support::Pump();
  PostMessageW(Control->Handle(), WM_LBUTTONUP, 0, at);
  test_support::Pump();
}

int DesignSurface::AgentsOf(const TControl* Control) const {
  int count = 0;
  TDsnList* covers = controller->CoverList();
  for (int i = 0; covers != nullptr && i < covers->Count(); ++i)
    if (static_cast<TDsnCtrl*>(covers->Items(i))->Control() == Control)
      ++count;
  return count;
}
