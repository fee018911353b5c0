// Laying out the children of a windowed control by their Align and Anchors.
//
// The aligned children are placed in the platform's order: alTop, alBottom,
// alLeft, alRight, alClient, alCustom. Each takes its room off the free
// rectangle; among the children of one alignment the one nearer the edge it
// sticks to goes first, and the child just moved by hand (AControl) takes
// its place before the others. Then the alNone children keep the distances
// their anchors hold to the parent's edges.
#pragma once
#include "classlib/controls/control.h"

class TWinControl;

// Aligns Parent's children in Rect (the parent's client area less its
// borders); Rect is left as the room no aligned child took.
void AlignChildren(TWinControl& Parent, TControl* AControl, TRect& Rect);
