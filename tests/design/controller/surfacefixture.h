// A shown form holding a design stage with a report page, a detail band,
// two labels and a barcode on the band, and a drop-down combo box on the
// stage, all owned by the stage's owner; a design controller that records
// the mouse operations reaching it and a selection partner that records the
// selection notices.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/stdctrls/combobox.h"
#include "design/dsnselect.h"
#include "design/dsnsubdp.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "tests/support/formfixture.h"

// The eight-grip controller, with the mouse dispatch written down.
class TRecordingRegister : public TDsnDpRegister {
public:
  explicit TRecordingRegister(TComponent* AOwner) : TDsnDpRegister(AOwner) {}

  struct TPress {
    TWinControl* Cover;
    TControl* Target;
    TPoint Point;
  };

  void DoMouseDown(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point) override {
    Presses.push_back({Cover, Target, Point});
    if (Dispatching)
      TDsnDpRegister::DoMouseDown(Cover, Target, Shift, Point);
  }
  void DoMouseUp(TWinControl* Cover, TPoint Point, TShiftState Shift) override {
    Releases.push_back(Cover);
    if (Dispatching)
      TDsnDpRegister::DoMouseUp(Cover, Point, Shift);
  }
  void DoMouseMove(TWinControl* Cover, TPoint Point, TShiftState Shift) override {
    Moves.push_back(Point);
    if (Dispatching)
      TDsnDpRegister::DoMouseMove(Cover, Point, Shift);
  }
  void UpdateGroupMarks() override { ++GroupMarkUpdates; }
  void DoContextPopup(TWinControl* Cover, TControl* Target, int X, int Y) override {
    ContextPresses.push_back({Cover, Target, Point(X, Y)});
  }
  void SetGroupMarkPainter(TGroupMarkPainter Painter) { FGroupMarkPainter = std::move(Painter); }

  std::vector<TPress> Presses;
  std::vector<TWinControl*> Releases;
  std::vector<TPoint> Moves;
  std::vector<TPress> ContextPresses;
  int GroupMarkUpdates = 0;
  // The presses also run the controller's own mouse operations.
  bool Dispatching = false;
};

// One selection notice as the host saw it.
struct TSelectionNotice {
  TSelectOperation Operation;
  std::vector<TComponent*> Targets;
};

// A panel that switches design mode on when it gets WM_APP, so the switch
// runs inside a window procedure, as a host's menu command does.
class TActivatingPanel : public TPanel {
public:
  explicit TActivatingPanel(TComponent* AOwner) : TPanel(AOwner) {}
  void Dispatch(TMessage& Message) override;

  TDsnRegister* Controller = nullptr;
};

// A panel that wants its clicks even in design mode.
class TDesignClickPanel : public TPanel {
public:
  explicit TDesignClickPanel(TComponent* AOwner) : TPanel(AOwner) {}
  void Dispatch(TMessage& Message) override;

  int Presses = 0;
};

class DesignSurface : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // The window procedure each window of the surface has now.
  std::vector<LONG_PTR> Procedures() const;
  // The windows of the surface: stage, page, band, labels, combo box and the
  // combo box's inner edit.
  std::vector<HWND> Windows() const;
  HWND ComboEdit() const;
  // The hit-test answer of a window at its client origin.
  LRESULT HitTest(HWND Window) const;
  // Posts a left press (and release) at a client point and runs the loop.
  void Click(TWinControl* Control, TPoint Point);
  int AgentsOf(const TControl* Control) const;

  test_support::FormFixture fixture;
  TPanel* host = nullptr;
  TDsnStage* stage = nullptr;
  TQuickRep* report = nullptr;
  TQRCustomBand* band = nullptr;
  TQRLabel* label1 = nullptr;
  TQRLabel* label2 = nullptr;
  TStBarCode* barcode = nullptr;
  TComboBox* combo = nullptr;
  TRecordingRegister* controller = nullptr;
  TDsnSelect* select = nullptr;
  std::vector<TSelectionNotice> notices;
};
