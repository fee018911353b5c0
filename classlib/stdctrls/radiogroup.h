// A radio group: a group box with one radio button per line of Items, laid
// out in Columns. ItemIndex is the checked line (-1: none); every change of
// it, by the user or by code, fires OnClick once.
#pragma once
#include <memory>
#include <vector>

#include "classlib/classes/strings.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/groupbox.h"

class TCustomRadioGroup;

// One button of a radio group; it belongs to the group, not to the form.
class TGroupButton : public TRadioButton {
  DECLARE_CLASS(TGroupButton, TRadioButton)

public:
  TGroupButton(TCustomRadioGroup* Group, int Index);
  void Click() override;
  int Index() const { return FIndex; }

private:
  TCustomRadioGroup* FGroup;
  int FIndex;
};

class TCustomRadioGroup : public TCustomGroupBox {
  DECLARE_CLASS(TCustomRadioGroup, TCustomGroupBox)

public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Loaded() override;

protected:
  void Resize() override;

private:
  friend class TGroupButton;
  void ButtonClicked(int Index);
  void ItemsChanged(TObject* Sender);
  void UpdateButtons();
  void ArrangeButtons();

  std::unique_ptr<TStringList> FItems;
  std::vector<TGroupButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  DECLARE_CLASS(TRadioGroup, TCustomRadioGroup)

public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};
