// A shown form holding a design stage with a report page, a title band and
// a detail band, two labels on the title band, one label and a barcode on
// the detail band, all owned by the stage's owner; the eight-grip controller
// both hosts use and a selection partner. For the grips, the clipboard,
// delete and the context menu.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "design/dsnhandle.h"
#include "design/dsnselect.h"
#include "design/dsnsubdp.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "tests/support/formfixture.h"

class EditSurface : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // The grid of the stage, handed to the controller (design mode off).
  void UseGrid(int Size);
  std::vector<TComponent*> Selected() const;
  // The grips among Parent's children.
  static std::vector<TSmallRect*> GripsOn(TWinControl* Parent);
  // A left click, with keys (MK_SHIFT ...), posted to a control's window.
  void Click(TWinControl* Control, TPoint At, WPARAM Keys = 0);
  // Press, move and release posted to a window, the cursor put at the press.
  void Drag(TWinControl* Control, TPoint From, TPoint To);
  // The colour of a pixel of a window's client area.
  static COLORREF PixelOf(TWinControl* Control, int X, int Y);

  test_support::FormFixture fixture;
  TPanel* host = nullptr;
  TDsnStage* stage = nullptr;
  TQuickRep* report = nullptr;
  TQRCustomBand* title = nullptr;
  TQRCustomBand* detail = nullptr;
  TQRLabel* labelA = nullptr;  // title band, 100 by 20 at (40, 30)
  TQRLabel* labelB = nullptr;  // title band
  TQRLabel* labelC = nullptr;  // detail band
  TStBarCode* barcode = nullptr;
  TDsnDpRegister* controller = nullptr;
  TDsnSelect* select = nullptr;
  int moveResizes = 0;
};
