// TDBNavigator: a row of buttons that move through a data set and edit it
// (first, prior, next, last, insert, delete, edit, post, cancel, refresh).
//
// Each button is enabled only when its command can run: first and prior
// not at the beginning, next and last not at the end, insert, edit and
// delete when the data set can change, post and cancel while an edit is
// pending. VisibleButtons picks the buttons shown; they share the width.
// Delete asks "Delete record?" ("Kayıt silinsin mi?" under a Turkish
// system) first unless ConfirmDelete is off. Hints holds one hint per
// button kind (an empty line keeps the default).
// With the focus, Left and Right pick a button and Space clicks it.
#pragma once
#include <array>
#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/controls/extctrls.h"
#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/stdctrls/speedbutton.h"

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
DOZURI_ENUM(TNavigateBtn, "nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete", "nbEdit", "nbPost",
            "nbCancel", "nbRefresh");
DOZURI_SET(TButtonSet, TNavigateBtn);

DOZURI_EVENT(ENavClick, void(TObject* Sender, TNavigateBtn Button));

class TDBNavigator;

// One button of a navigator; without a glyph of its own it draws a symbol,
// by default the one of its kind (a mirrored row draws its arrows the other
// way by exchanging symbols).
class TNavButton : public TSpeedButton {
  DECLARE_CLASS(TNavButton, TSpeedButton)

public:
  explicit TNavButton(TComponent* AOwner);

  TNavigateBtn Index() const { return FIndex; }
  void SetIndex(TNavigateBtn Value) { FIndex = Value; FSymbol = Value; }
  TNavigateBtn Symbol() const { return FSymbol; }
  void SetSymbol(TNavigateBtn Value);
  void Click() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  TDBNavigator* Navigator() const;
  void PaintSymbol(TCanvas& Canvas, const TRect& Client);

  TNavigateBtn FIndex = nbFirst;
  TNavigateBtn FSymbol = nbFirst;
};

class TDBNavigator : public TCustomPanel {
  DECLARE_CLASS(TDBNavigator, TCustomPanel)

public:
  static constexpr int ButtonKinds = 10;

  explicit TDBNavigator(TComponent* AOwner);
  ~TDBNavigator() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  TButtonSet VisibleButtons() const { return FVisibleButtons; }
  void SetVisibleButtons(TButtonSet Value);
  bool ConfirmDelete() const { return FConfirmDelete; }
  void SetConfirmDelete(bool Value) { FConfirmDelete = Value; }
  TStrings* Hints() const { return FHints.get(); }
  void SetHints(TStrings* Value) { FHints->Assign(Value); }
  TNavButton* Buttons(TNavigateBtn Index) const { return FButtons[Index]; }
  // The button Left, Right and Space act on.
  TNavigateBtn FocusedButton() const { return FFocusedButton; }
  void SetFocusedButton(TNavigateBtn Value);

  // Runs the command of a button (when the data set is open), then OnClick.
  virtual void BtnClick(TNavigateBtn Index);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  ENavClick OnClick;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Loaded() override;

private:
  class TNavDataLink;
  friend class TNavDataLink;

  void LayoutButtons();
  void UpdateButtonStates();
  void ApplyHints();
  void MoveFocus(bool Forward);

  std::unique_ptr<TNavDataLink> FDataLink;
  std::array<TNavButton*, ButtonKinds> FButtons{};
  std::unique_ptr<TStringList> FHints;
  TButtonSet FVisibleButtons{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel,
                             nbRefresh};
  TNavigateBtn FFocusedButton = nbFirst;
  bool FConfirmDelete = true;
};
