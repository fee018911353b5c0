// The published properties and events TDrawGrid and TStringGrid share,
// for their class tables (used inside BEGIN_PUBLISHED ... END_PUBLISHED).
#pragma once
#include "classlib/grids/drawgrid.h"

#define DOZURI_GRID_PUBLISHED_PROPERTIES                                                          \
  PROPERTY(Align, Align, SetAlign).Default(alNone),                                               \
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),                        \
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Default(bdLeftToRight),                               \
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),                           \
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),             \
  PROPERTY(ColCount, ColCount, SetColCount).Default(5),                                           \
  PROPERTY(Constraints, Constraints, SetConstraints),                                             \
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),                                                               \
  PROPERTY(DefaultColWidth, DefaultColWidth, SetDefaultColWidth).Default(64),                     \
  PROPERTY(DefaultRowHeight, DefaultRowHeight, SetDefaultRowHeight).Default(24),                  \
  PROPERTY(DefaultDrawing, DefaultDrawing, SetDefaultDrawing).Default(true),                      \
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),                                           \
  PROPERTY(FixedColor, FixedColor, SetFixedColor).TypeName("TColor").Default(clBtnFace),          \
  PROPERTY(FixedCols, FixedCols, SetFixedCols).Default(1),                                        \
  PROPERTY(RowCount, RowCount, SetRowCount).Default(5),                                           \
  PROPERTY(FixedRows, FixedRows, SetFixedRows).Default(1),                                        \
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),                                    \
  PROPERTY(GridLineWidth, GridLineWidth, SetGridLineWidth).Default(1),                            \
  PROPERTY(Options, Options, SetOptions)                                                          \
      .Default(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}), \
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),                      \
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),                              \
  PROPERTY(ParentCtl3D, ParentCtl3D, SetParentCtl3D).Default(true),                               \
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),                                  \
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),                      \
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),                                 \
  PROPERTY(ScrollBars, ScrollBars, SetScrollBars).Default(ssBoth),                                \
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),                    \
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),                                          \
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),                                           \
  PROPERTY(Visible, Visible, SetVisible).Default(true)

#define DOZURI_GRID_PUBLISHED_EVENTS                                                              \
  PROPERTY(OnClick, OnClick, OnClick),                                                            \
  PROPERTY(OnColumnMoved, OnColumnMoved, OnColumnMoved),                                          \
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),                                                   \
  PROPERTY(OnDrawCell, OnDrawCell, OnDrawCell),                                                   \
  PROPERTY(OnEnter, OnEnter, OnEnter),                                                            \
  PROPERTY(OnExit, OnExit, OnExit),                                                               \
  PROPERTY(OnGetEditText, OnGetEditText, OnGetEditText),                                          \
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),                                                      \
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),                                                   \
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),                                                            \
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),                                                \
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),                                                \
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),                                                      \
  PROPERTY(OnRowMoved, OnRowMoved, OnRowMoved),                                                   \
  PROPERTY(OnSelectCell, OnSelectCell, OnSelectCell),                                             \
  PROPERTY(OnSetEditText, OnSetEditText, OnSetEditText),                                          \
  PROPERTY(OnTopLeftChanged, OnTopLeftChanged, OnTopLeftChanged)
