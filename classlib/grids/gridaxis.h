// TGridAxis: the geometry of one direction of a grid (the columns across or
// the rows down), from which cell rectangles, hit tests and scrolling follow.
//
// Along the axis the fixed cells come first and never scroll; after them
// the scrolling cells start at First (the grid's LeftCol or TopRow). Each
// cell is followed by a grid line of LineWidth pixels (0 when no lines are
// drawn across this axis). Positions are client pixels from 0.
#pragma once
#include <vector>

class TGridAxis {
public:
  // Extents holds one size per cell (Count entries).
  TGridAxis(const std::vector<int>& Extents, int FixedCount, int First, int LineWidth, int ClientExtent);

  int Count() const { return static_cast<int>(FExtents.size()); }
  int FixedCount() const { return FFixedCount; }
  int First() const { return FFirst; }
  int Extent(int Index) const { return FExtents[Index]; }

  // Where the scrolling cells begin: the fixed cells with their lines.
  int FixedBoundary() const;
  // The start of a cell that is on the screen (fixed, or First and after
  // while it starts inside the client); -1 for a cell scrolled out of view.
  int CellStart(int Index) const;
  // The cell a client position falls in (the line after a cell counts to
  // it); -1 outside every cell.
  int CellAt(int Position) const;
  // The last cell that starts inside the client (at least First - 1 when
  // not even First does).
  int LastVisible() const;
  // The last cell that ends inside the client; at least First, so that a
  // cell larger than the client can still be the current one.
  int LastFullVisible() const;
  // How many scrolling cells are wholly visible (at least 1 when any exist).
  int VisibleCount() const;
  // The largest First that still leaves no room after the last cell.
  int MaxFirst() const;
  // The First that makes Index the last wholly visible cell (or First
  // itself when Index is larger than the room).
  int FirstToShowLast(int Index) const;
  // The First one page further on or back (PgDn/PgUp scrolling).
  int PageForward() const;
  int PageBack() const;

private:
  // The room for scrolling cells.
  int ScrollRoom() const { return FClientExtent - FixedBoundary(); }

  const std::vector<int>& FExtents;
  int FFixedCount;
  int FFirst;
  int FLineWidth;
  int FClientExtent;
};
