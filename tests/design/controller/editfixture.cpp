#include "editfixture.h"

namespace {

TQRLabel* MakeLabel(TComponent* owner, TWinControl* parent, const char* name, TRect bounds) {
  auto* label = new TQRLabel(owner);
  label->SetName(name);
  label->SetParent(parent);
  label->SetAutoSize(false);
  label->SetCaption("");
  label->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
  return label;
}

}  // namespace

void EditSurface::SetUp() {
  host = fixture.Host();
  stage = new TDsnStage(host);
  stage->SetName("Stage");
  stage->SetParent(host);
  stage->SetAlign(alClient);
  report = new TQuickRep(host);
  report->SetName("Report1");
  report->SetParent(stage);
  report->SetShowProgress(false);
  report->SetLeft(8);
  report->SetTop(8);
  title = report->CreateBand(rbTitle);
  title->SetHeight(80);
  detail = report->CreateBand(rbDetail);
  detail->SetHeight(60);
  labelA = MakeLabel(host, title, "LabelA", TRect{40, 30, 100, 20});
  labelB = MakeLabel(host, title, "LabelB", TRect{160, 30, 60, 20});
  labelC = MakeLabel(host, detail, "LabelC", TRect{10, 5, 60, 20});
  barcode = new TStBarCode(host);
  barcode->SetName("Barcode1");
  barcode->SetParent(detail);
  barcode->SetBounds(100, 4, 90, 30);
  controller = new TDsnDpRegister(host);
  controller->SetName("DsnDpRegister1");
  controller->SetDsnStage(stage);
  controller->OnMoveResize = TNotifyEvent([this](TObject*) { ++moveResizes; });
  select = new TDsnSelect(host);
  select->SetName("DsnSelect1");
  select->SetDsnRegister(controller);
  fixture.Show();
}

void EditSurface::TearDown() {
  controller->SetActive(false);
  test_support::Pump();
  EXPECT_EQ(TAgent::LiveCount(), 0) << "no agent outlives design mode";
  for (TWinControl* parent : {static_cast<TWinControl*>(title), static_cast<TWinControl*>(detail),
                              static_cast<TWinControl*>(stage)})
    if (parent != nullptr)
      EXPECT_TRUE(GripsOn(parent).empty()) << "no grip outlives design mode";
}

void EditSurface::UseGrid(int Size) {
  stage->Rubberband()->SetMoveWidth(Size);
  stage->Rubberband()->SetMoveHeight(Size);
  controller->SetDsnStage(stage);
}

std::vector<TComponent*> EditSurface::Selected() const {
  std::vector<TComponent*> list;
  for (int i = 0; i < controller->SelectedCount(); ++i)
    list.push_back(controller->SelectedControl(i));
  return list;
}

std::vector<TSmallRect*> EditSurface::GripsOn(TWinControl* Parent) {
  std::vector<TSmallRect*> grips;
  for (int i = 0; i < Parent->ControlCount(); ++i)
    if (auto* grip = dynamic_cast<TSmallRect*>(Parent->Controls(i)))
      grips.push_back(grip);
  return grips;
}

void EditSurface::Click(TWinControl* Control, TPoint At, WPARAM Keys) {
  const LPARAM at = MAKELPARAM(At.x, At.y);
  PostMessageW(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | Keys, at);
  test_support::Pump();
  PostMessageW(Control->Handle(), WM_LBUTTONUP, Keys, at);
  test_support::Pump();
}

void EditSurface::Drag(TWinControl* Control, TPoint From, TPoint To) {
  POINT onScreen{From.x, From.y};
  ClientToScreen(Control->Handle(), &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);
  test_support::Pump();
  PostMessageW(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(From.x, From.y));
  test_support::Pump();
  PostMessageW(Control->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(To.x, To.y));
  test_support::Pump();
  PostMessageW(Control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(To.x, To.y));
  test_support::Pump();
}

COLORREF EditSurface::PixelOf(TWinControl* Control, int X, int Y) {
  HDC dc = GetDC(Control->Handle());
  const COLORREF colour = GetPixel(dc, X, Y);
  ReleaseDC(Control->Handle(), dc);
  return colour;
}
