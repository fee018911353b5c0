// The types the grids share: options, cell coordinates and ranges, the
// drawing state of a cell, the grid's events and its exception.
#pragma once
#include <windows.h>

#include "classlib/classes/events.h"
#include "classlib/classes/typinfo.h"
#include "classlib/controls/control.h"
#include "classlib/controls/scrollstyle.h"
#include "classlib/system/exceptions.h"

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing,
  goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking
};
DOZURI_ENUM(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
            "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing",
            "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking");
DOZURI_SET(TGridOptions, TGridOption);

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
DOZURI_ENUM(TGridDrawStateFlag, "gdSelected", "gdFocused", "gdFixed");
DOZURI_SET(TGridDrawState, TGridDrawStateFlag);

// What the mouse is doing to the grid.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// A cell: X is the column, Y the row.
struct TGridCoord {
  int X = 0;
  int Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// A block of cells, inclusive on all four sides.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
  bool Contains(int ACol, int ARow) const {
    return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
  }
};

DOZURI_EVENT(TDrawCellEvent,
             void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State));
DOZURI_EVENT(TSelectCellEvent, void(TObject* Sender, int ACol, int ARow, bool& CanSelect));
DOZURI_EVENT(TGetEditEvent, void(TObject* Sender, int ACol, int ARow, AnsiString& Value));
DOZURI_EVENT(TSetEditEvent, void(TObject* Sender, int ACol, int ARow, const AnsiString& Value));
DOZURI_EVENT(TMovedEvent, void(TObject* Sender, int FromIndex, int ToIndex));

DOZURI_EXCEPTION(EInvalidGridOperation, Exception);
