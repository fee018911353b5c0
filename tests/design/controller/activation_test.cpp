// Design mode on a real report page: covering and uncovering, what covered
// windows answer, where a click goes, and covered windows that are made
// again or destroyed.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "classlib/forms/dialogservice.h"
#include "classlib/forms/scripteddialogs.h"
#include "design/dsnpanel.h"
#include "design/dsnprop.h"
#include "reportengine/printables/qrprintablesreg.h"
#include "reportengine/report/qrreportreg.h"
#include "surfacefixture.h"

namespace {

using Activation = DesignSurface;

TEST_F(Activation, CoversTheStageAndEveryControlOnItOnceAndUncoversThemAsTheyWere) {
  const std::vector<LONG_PTR> before = Procedures();
  const LRESULT labelBefore = HitTest(label1->Handle());
  const LRESULT editBefore = HitTest(ComboEdit());
  ASSERT_NE(editBefore, HTTRANSPARENT);

  controller->SetActive(true);
  controller->SetActive(true);
  EXPECT_TRUE(controller->Active());
  for (TControl* control : std::vector<TControl*>{stage, report, band, label1, label2, combo}) {
    EXPECT_EQ(AgentsOf(control), 1) << control->Name();
    EXPECT_EQ(control->Cursor(), crArrow) << control->Name();
  }
  EXPECT_EQ(AgentsOf(barcode), 0) << "a control without a window of its own is not covered";
  const std::vector<LONG_PTR> covered = Procedures();
  for (std::size_t i = 0; i < before.size(); ++i)
    EXPECT_NE(covered[i], before[i]) << "window " << i;
  EXPECT_EQ(HitTest(label1->Handle()), HTCLIENT);
  EXPECT_EQ(HitTest(ComboEdit()), HTTRANSPARENT) << "the inner edit lets clicks through to the combo box";
  EXPECT_EQ(HitTest(combo->Handle()), HTCLIENT);

  controller->SetActive(false);
  EXPECT_FALSE(controller->Active());
  EXPECT_EQ(Procedures(), before);
  EXPECT_EQ(HitTest(label1->Handle()), labelBefore);
  EXPECT_EQ(HitTest(ComboEdit()), editBefore);
  for (TControl* control : std::vector<TControl*>{stage, report, band, label1, label2, combo})
    EXPECT_EQ(control->Cursor(), crDefault) << control->Name();
  EXPECT_EQ(TAgent::LiveCount(), 0);
  controller->SetActive(false);  // nothing to do
  EXPECT_EQ(TAgent::LiveCount(), 0);
}

TEST_F(Activation, TheStagesCoverQueryKeepsABandOrOnlyTheBandItselfUncovered) {
  struct Case {
    TCoverAccept answer;
    int bandAgents;
    int labelAgents;
  };
  for (const Case& c : {Case{caNoAccept, 0, 0}, Case{caChildrenAccept, 0, 1}}) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    stage->OnCoverQuery = TCoverQuery([&](TObject*, TComponent* component, TCoverAccept& canCover) {
      if (component == band)
        canCover = c.answer;
    });
    controller->SetActive(true);
    EXPECT_EQ(AgentsOf(report), 1);
    EXPECT_EQ(AgentsOf(band), c.bandAgents);
    EXPECT_EQ(AgentsOf(label1), c.labelAgents);
    EXPECT_EQ(AgentsOf(label2), c.labelAgents);
    EXPECT_FALSE(controller->CanSelectComponent(band));
    EXPECT_TRUE(controller->CanSelectComponent(label1)) << "a label is asked about itself";
    EXPECT_FALSE(controller->CanSelectComponent(barcode)) << "a non-windowed control is asked about its parent";
    controller->SetActive(false);
    EXPECT_EQ(TAgent::LiveCount(), 0);
  }
}

TEST_F(Activation, APressGoesToTheControllerWithTheControlUnderTheMouseAsItsTarget) {
  auto* stranger = new TComponent(nullptr);
  auto* foreign = new TStBarCode(stranger);
  foreign->SetParent(band);
  foreign->SetBounds(260, 2, 30, 30);
  controller->SetActive(true);

  struct Case {
    const char* what;
    TWinControl* window;
    TPoint point;  // in the window's client area
    bool barcodeEnabled;
    TControl* target;
  };
  const Case cases[] = {
      {"barcode", band, Point(barcode->Left() + 3, barcode->Top() + 3), true, barcode},
      {"disabled barcode", band, Point(barcode->Left() + 3, barcode->Top() + 3), false, barcode},
      {"barcode of another owner", band, Point(foreign->Left() + 3, foreign->Top() + 3), true, band},
      {"label", label1, Point(3, 3), true, label1},
      {"empty part of the band", band, Point(5, band->Height() - 3), true, band},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    barcode->SetEnabled(c.barcodeEnabled);
    controller->Presses.clear();
    controller->Releases.clear();
    const LPARAM at = MAKELPARAM(c.point.x, c.point.y);
    PostMessageW(c.window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    test_support::Pump();
    ASSERT_EQ(controller->Presses.size(), 1u);
    EXPECT_EQ(controller->Presses[0].Cover, c.window);
    EXPECT_EQ(controller->Presses[0].Target, c.target);
    EXPECT_EQ(controller->Presses[0].Point.x, c.point.x);
    EXPECT_EQ(controller->Presses[0].Point.y, c.point.y);
    EXPECT_EQ(GetCapture(), c.window->Handle()) << "the mouse is held from press to release";
    PostMessageW(c.window->Handle(), WM_LBUTTONUP, 0, at);
    test_support::Pump();
    ASSERT_EQ(controller->Releases.size(), 1u);
    EXPECT_EQ(controller->Releases[0], c.window);
    EXPECT_NE(GetCapture(), c.window->Handle());
  }
  barcode->SetEnabled(true);
  controller->SetActive(false);
  stranger->Free();
}

TEST_F(Activation, AWindowThatRefusesSubclassingLeavesNothingCoveredAndTheUserIsTold) {
  static HWND refused = nullptr;
  refused = label2->Handle();
  auto saved = TAgent::InstallProcedure;
  TAgent::InstallProcedure = [](HWND window, LONG_PTR procedure) -> LONG_PTR {
    return window == refused ? 0 : SetWindowLongPtrW(window, GWLP_WNDPROC, procedure);
  };
  auto* trigger = new TActivatingPanel(host);
  trigger->SetParent(host);
  trigger->Controller = controller;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerButton(IDOK);
  const std::vector<LONG_PTR> before = Procedures();

  SendMessageW(trigger->Handle(), WM_APP, 0, 0);
  TAgent::InstallProcedure = saved;

  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Subclassing is failure.");
  EXPECT_FALSE(controller->Active());
  EXPECT_FALSE(select->Active()) << "partners hear that design mode stayed off";
  EXPECT_EQ(TAgent::LiveCount(), 0);
  EXPECT_EQ(Procedures(), before);
  EXPECT_EQ(label1->Cursor(), crDefault);
  EXPECT_EQ(label2->Cursor(), crDefault);
  EXPECT_EQ(controller->SelectedCount(), -1);

  controller->SetActive(true);  // the window takes it now
  EXPECT_EQ(AgentsOf(label2), 1);
}

TEST_F(Activation, ACoveredWindowMadeAgainIsCoveredAgainOnceTheLoopRuns) {
  controller->SetActive(true);
  const HWND old = label1->Handle();
  label1->RecreateWnd();
  test_support::Pump();
  ASSERT_TRUE(label1->HandleAllocated());
  EXPECT_NE(label1->Handle(), old);
  ASSERT_EQ(AgentsOf(label1), 1);
  EXPECT_EQ(controller->CoverOf(label1)->Window(), label1->Handle());
  EXPECT_EQ(HitTest(label1->Handle()), HTCLIENT);
  controller->Presses.clear();
  Click(label1, Point(3, 3));
  ASSERT_EQ(controller->Presses.size(), 1u);
  EXPECT_EQ(controller->Presses[0].Target, label1);

  // The combo box made again gets a new inner edit, transparent again.
  combo->RecreateWnd();
  test_support::Pump();
  EXPECT_EQ(HitTest(ComboEdit()), HTTRANSPARENT);
}

// A layout read while design mode is on is covered whole, also when it is
// read before its form shows (as a designer loads its file while it is being
// shown): its controls get their windows before the controller covers the
// stage again.
TEST_F(Activation, ALayoutLoadedInDesignModeIsCoveredWholeAndTakesPresses) {
  RegisterQuickRepClasses();
  RegisterQRPrintableClasses();
  RegisterClasses({TComboBox::StaticClass(), TStBarCode::StaticClass()});
  const AnsiString file = "activation_loaded.vlp";
  stage->SaveToFile(file);
  controller->SetActive(true);
  // The fixture's controls are replaced by those read.
  report = nullptr;
  band = nullptr;
  label1 = label2 = nullptr;
  barcode = nullptr;
  combo = nullptr;
  host->SetVisible(false);
  stage->LoadFromFile(file);
  host->SetVisible(true);
  test_support::Pump();
  std::remove(file.c_str());
  EXPECT_TRUE(controller->Active());
  for (const char* name : {"Report1", "Label1", "Label2", "Combo1"}) {
    auto* loaded = dynamic_cast<TWinControl*>(host->FindComponent(name));
    ASSERT_NE(loaded, nullptr) << name;
    EXPECT_EQ(AgentsOf(loaded), 1) << name;
  }
  auto* loadedLabel = dynamic_cast<TWinControl*>(host->FindComponent("Label1"));
  controller->Presses.clear();
  Click(loadedLabel, Point(3, 3));
  ASSERT_EQ(controller->Presses.size(), 1u);
  EXPECT_EQ(controller->Presses[0].Target, loadedLabel);
}

TEST_F(Activation, NoticesOfWindowsDestroyedMeanwhileAreDroppedAndNoAgentIsLeft) {
  // Made again, then design mode ends before the notice is handled.
  controller->SetActive(true);
  label1->RecreateWnd();
  controller->SetActive(false);
  EXPECT_EQ(TAgent::LiveCount(), 0);
  test_support::Pump();
  EXPECT_EQ(TAgent::LiveCount(), 0);
  EXPECT_EQ(label1->Cursor(), crDefault);
  const HWND made = label1->Handle();
  EXPECT_EQ(GetWindowLongPtrW(made, GWLP_WNDPROC), static_cast<LONG_PTR>(GetClassLongPtrW(made, GCLP_WNDPROC)))
      << "the new window keeps its own procedure";
  EXPECT_EQ(controller->CoverOf(label1), nullptr);

  // A covered label freed while active: its notice frees the agent.
  controller->SetActive(true);
  const int live = TAgent::LiveCount();
  label1->Free();
  label1 = nullptr;
  test_support::Pump();
  EXPECT_EQ(TAgent::LiveCount(), live - 1);
  EXPECT_EQ(AgentsOf(label2), 1);

  // Freed, and design mode ends before the notice is handled.
  label2->Free();
  label2 = nullptr;
  controller->SetActive(false);
  test_support::Pump();
  EXPECT_EQ(TAgent::LiveCount(), 0);

  // The stage freed with everything on it: no notice can reach it.
  controller->SetActive(true);
  stage->Free();
  stage = nullptr;
  report = nullptr;
  band = nullptr;
  barcode = nullptr;
  combo = nullptr;
  test_support::Pump();
  EXPECT_EQ(controller->DsnStage(), nullptr);
  controller->SetActive(false);
  EXPECT_EQ(TAgent::LiveCount(), 0);
}

}  // namespace

namespace {

// A palette and an inspector that write down how design mode switches them.
class TRecordingPalette : public TCustomCmpPlt {
public:
  TRecordingPalette(TComponent* AOwner, std::vector<std::string>& log) : TCustomCmpPlt(AOwner), Log(log) {}
  void SetActive(bool Value) override { Log.push_back(Value ? "palette on" : "palette off"); }
  TComponent* CurrentTemplate() override { return Template; }
  void SetCurrentTemplate(TComponent* Value) override {
    Template = Value;
    Log.push_back(Value == nullptr ? "select mode" : "template");
  }
  void SetArrowButton(TArrowButton* Button) override {
    Arrow = Button;
    Log.push_back("arrow button");
  }
  void ResetToArrow() override {}

  TComponent* Template = nullptr;
  TArrowButton* Arrow = nullptr;
  std::vector<std::string>& Log;
};

class TRecordingInspector : public TCustomInspector {
public:
  TRecordingInspector(TComponent* AOwner, std::vector<std::string>& log) : TCustomInspector(AOwner), Log(log) {}
  void Activate() override { Log.push_back("inspector on"); }
  void Deactivate() override { Log.push_back("inspector off"); }
  void Refresh() override {}
  void GetPropLists(TStrings*, TStrings*) override {}

  std::vector<std::string>& Log;
};

TEST_F(Activation, APaletteAndAnInspectorAreSwitchedWithDesignMode) {
  std::vector<std::string> log;
  auto* palette = new TRecordingPalette(host, log);
  auto* arrow = new TArrowButton(host);
  auto* inspector = new TRecordingInspector(host, log);
  controller->SetDsnPanel(palette);
  controller->SetArrowButton(arrow);
  controller->SetDsnInspector(inspector);

  controller->SetActive(true);
  EXPECT_EQ(log, (std::vector<std::string>{"arrow button", "palette on", "inspector on"}));
  EXPECT_EQ(palette->Arrow, arrow);
  EXPECT_EQ(arrow->Palette(), palette);
  EXPECT_EQ(inspector->StageHandle(), stage->Handle());
  log.clear();
  controller->SetActive(false);
  EXPECT_EQ(log, (std::vector<std::string>{"palette off", "select mode", "inspector off"}));

  // Links to components that are freed are dropped.
  palette->Free();
  inspector->Free();
  EXPECT_EQ(arrow->Palette(), nullptr);
  EXPECT_EQ(controller->DsnPanel(), nullptr);
  EXPECT_EQ(controller->DsnInspector(), nullptr);
  arrow->Free();
  EXPECT_EQ(controller->ArrowButton(), nullptr);
  log.clear();
  controller->SetActive(true);
  EXPECT_TRUE(log.empty());
}

TEST_F(Activation, TheDesignSurfacesOwnMessagesReachTheController) {
  controller->SetActive(true);
  std::vector<TComponent*> doubleClicked;
  stage->OnCoverDblClick = TCallCompoEditor([&](TObject* sender, TComponent* component) {
    EXPECT_EQ(sender, stage);
    doubleClicked.push_back(component);
  });
  int moveResize = 0;
  controller->OnMoveResize = TNotifyEvent([&](TObject* sender) {
    EXPECT_EQ(sender, controller);
    ++moveResize;
  });

  // No press yet: a move reaches nobody.
  PostMessageW(band->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  test_support::Pump();
  EXPECT_TRUE(controller->Moves.empty());

  // The press target stays after the release, so later moves still arrive.
  Click(band, Point(barcode->Left() + 2, barcode->Top() + 2));
  PostMessageW(band->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(7, 9));
  test_support::Pump();
  ASSERT_EQ(controller->Moves.size(), 1u);
  EXPECT_EQ(controller->Moves[0].x, 7);
  EXPECT_EQ(controller->Moves[0].y, 9);

  // A double click names the control pressed last, once.
  PostMessageW(band->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(barcode->Left() + 2, barcode->Top() + 2));
  test_support::Pump();
  EXPECT_EQ(doubleClicked, (std::vector<TComponent*>{barcode}));

  // A grip names the control it resizes, and says when it is done.
  SendMessageW(band->Handle(), DSN_SETPRESSTARGET, reinterpret_cast<WPARAM>(label2), 0);
  EXPECT_EQ(controller->CoverOf(band)->PressTarget(), label2);
  SendMessageW(band->Handle(), DSN_RESIZED, 0, 0);
  EXPECT_EQ(moveResize, 1);
  SendMessageW(label1->Handle(), DSN_GROUPMARKS, 0, 0);
  EXPECT_EQ(controller->GroupMarkUpdates, 1);

  // The right button: the context menu with the control under the mouse.
  PostMessageW(band->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(barcode->Left() + 4, barcode->Top() + 6));
  test_support::Pump();
  ASSERT_EQ(controller->ContextPresses.size(), 1u);
  EXPECT_EQ(controller->ContextPresses[0].Cover, band);
  EXPECT_EQ(controller->ContextPresses[0].Target, barcode);
  EXPECT_EQ(controller->ContextPresses[0].Point.x, barcode->Left() + 4);
  EXPECT_EQ(controller->ContextPresses[0].Point.y, barcode->Top() + 6);
  ReleaseCapture();
}

TEST_F(Activation, AControlThatAsksForItsClicksGetsThemBesideTheController) {
  auto* panel = new TDesignClickPanel(host);
  panel->SetParent(band);
  panel->SetBounds(300, 2, 40, 30);
  controller->SetActive(true);
  ASSERT_EQ(AgentsOf(panel), 1);
  Click(panel, Point(4, 4));
  EXPECT_EQ(panel->Presses, 1);
  ASSERT_EQ(controller->Presses.size(), 1u);
  EXPECT_EQ(controller->Presses[0].Target, panel);

  // A label does not ask: the click reaches only the controller.
  controller->Presses.clear();
  Click(label1, Point(4, 4));
  EXPECT_EQ(controller->Presses.size(), 1u);
  EXPECT_EQ(panel->Presses, 1);
}

TEST_F(Activation, ACoveredControlHandsTheFocusToTheStage) {
  controller->SetActive(true);
  ASSERT_TRUE(stage->CanFocus());
  EXPECT_EQ(GetFocus(), stage->Handle()) << "the stage takes the focus when design mode starts";
  SetFocus(combo->Handle());
  EXPECT_EQ(GetFocus(), stage->Handle());
}

TEST_F(Activation, ACoveredControlPaintsItselfAndThenItsGroupMarks) {
  std::vector<TControl*> marked;
  controller->SetGroupMarkPainter([&](TControl* control) { marked.push_back(control); });
  controller->SetActive(true);
  EXPECT_FALSE(controller->GroupMarkPainter()) << "design mode starts with no marks";

  controller->SetGroupMarkPainter([&](TControl* control) { marked.push_back(control); });
  marked.clear();
  RedrawWindow(label1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(marked, (std::vector<TControl*>{label1}));
  EXPECT_FALSE(GetUpdateRect(label1->Handle(), nullptr, FALSE)) << "the paint was done";
}

}  // namespace
