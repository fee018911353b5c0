// TRxDBGrid: the data grid with a hook for leaving a column.
//
// It shows and edits records as TDBGrid does; ColExit runs just before the
// current column changes to another one (by key, mouse or code), so that a
// derived grid can tidy up what belongs to the column being left.
#pragma once
#include "classlib/dbctrls/dbgrid.h"

class TRxDBGrid : public TDBGrid {
  DECLARE_CLASS(TRxDBGrid, TDBGrid)

public:
  explicit TRxDBGrid(TComponent* AOwner) : TDBGrid(AOwner) {}

  TNotifyEvent OnColExit;

protected:
  bool SelectCell(int ACol, int ARow) override;
  // The current column is about to change: fires OnColExit.
  virtual void ColExit();

private:
  bool FLeavingColumn = false;
};
