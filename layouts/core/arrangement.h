// The arithmetic of the designer's arrangement commands, on plain numbers so
// it is the same for every kind of control: lining edges and centre lines up
// with a reference control, finding the outermost control of a selection,
// centring a group in its parent and spacing a group evenly.
//
// Divisions truncate toward zero, as C++ integer division does.
#pragma once
#include <vector>

// Which line of the reference a control is lined up with.
enum class TAlignLine {
  Near,    // the left or top edge
  Centre,  // the centre line
  Far,     // the right or bottom edge
};

// The new Left (or Top) of a control of Size lined up with the reference at
// RefPos of RefSize.
int AlignedPosition(TAlignLine Line, int RefPos, int RefSize, int Size);

// The index of the outermost of Values (smallest when Smallest, else
// largest). The last one is the first candidate and the walk goes from the
// first; only a strictly further value replaces the candidate, so among
// equals the last wins when it is outermost, else the earliest. -1 when
// Values is empty.
int OutermostIndex(const std::vector<int>& Values, bool Smallest);

// How far a group spanning Low..High (its outer edges) moves back so that it
// is centred in a parent of Extent: the group then starts at
// (Extent - (High - Low)) / 2 within one pixel.
int CentringShift(int Low, int High, int Extent);

// Even steps between the outermost positions: the positions ordered by their
// value (equal ones keep their given order), the first and the last stay, and
// each one between takes the previous one's new position plus
// (last - first) / (count - 1). The result is in the given order. Fewer than
// three positions come back unchanged.
std::vector<int> EvenlySpaced(const std::vector<int>& Positions);
