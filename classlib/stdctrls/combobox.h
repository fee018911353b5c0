// A combo box over the system's COMBOBOX class: an edit with a drop-down
// list (csDropDown), a drop-down list only (csDropDownList) or owner-drawn
// items; lines with objects. OnChange fires for each change the user makes
// (typing, or picking an item); code setting ItemIndex or Text does not
// fire it.
#pragma once
#include <memory>

#include "classlib/controls/controlcanvas.h"
#include "classlib/stdctrls/itemstrings.h"
#include "classlib/stdctrls/ownerdraw.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
DOZURI_ENUM(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable");

class TCustomComboBox : public TWinControl {
  DECLARE_CLASS(TCustomComboBox, TWinControl)

public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // -1 = none.
  int ItemIndex();
  void SetItemIndex(int Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  int SelStart();
  int SelLength();
  void SelectAll();
  void Clear();
  TCanvas* Canvas() const { return FCanvas.get(); }

  void Dispatch(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

private:
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  // Gives the window the room of the dropped-down list below the edit.
  void SizeDropDown();
  bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }

  std::unique_ptr<TItemStrings> FItems;
  std::unique_ptr<TControlCanvas> FCanvas;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  int FMaxLength = 0;
  int FKeptItemIndex = -1;
  int FChangedIndex = -1;  // the item the last change reported
};

class TComboBox : public TCustomComboBox {
  DECLARE_CLASS(TComboBox, TCustomComboBox)

public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
