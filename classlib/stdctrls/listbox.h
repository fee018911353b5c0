// A list box over the system's LISTBOX class: single or multiple selection,
// sorted or not, standard or owner-drawn items, lines with objects.
#pragma once
#include <memory>

#include "classlib/controls/controlcanvas.h"
#include "classlib/stdctrls/itemstrings.h"
#include "classlib/stdctrls/ownerdraw.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
DOZURI_ENUM(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable");

class TCustomListBox : public TWinControl {
  DECLARE_CLASS(TCustomListBox, TWinControl)

public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // -1 = none. In a multi-select list: the item with the focus rectangle.
  int ItemIndex();
  void SetItemIndex(int Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  int TopIndex();
  void SetTopIndex(int Value);
  // The item at a client point (-1 when none; with Existing false, the
  // count for a point below the last item).
  int ItemAtPos(TPoint Pos, bool Existing);
  TRect ItemRect(int Index);
  void Clear() { FItems->Clear(); }
  TCanvas* Canvas() const { return FCanvas.get(); }

  void Dispatch(TMessage& Message) override;

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

private:
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);

  std::unique_ptr<TItemStrings> FItems;
  std::unique_ptr<TControlCanvas> FCanvas;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  int FColumns = 0;
  bool FIntegralHeight = false;
  TBorderStyle FBorderStyle = bsSingle;
  int FKeptItemIndex = -1;  // the selection while there is no window
  int FClickedIndex = -1;   // the selection the last click reported
};

class TListBox : public TCustomListBox {
  DECLARE_CLASS(TListBox, TCustomListBox)

public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
