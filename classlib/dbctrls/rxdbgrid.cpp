#include "classlib/dbctrls/rxdbgrid.h"

BEGIN_PUBLISHED(TRxDBGrid)
  PROPERTY(OnColExit, OnColExit, OnColExit),
END_PUBLISHED

// The data grid may move the column again from inside its own SelectCell
// (after moving the data set to another row); the column is left once.
bool TRxDBGrid::SelectCell(int ACol, int ARow) {
  if (FLeavingColumn)
    return TDBGrid::SelectCell(ACol, ARow);
  FLeavingColumn = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FLeavingColumn};
  if (ACol != Col())
    ColExit();
  return TDBGrid::SelectCell(ACol, ARow);
}

void TRxDBGrid::ColExit() {
  if (OnColExit)
    OnColExit(this);
}
