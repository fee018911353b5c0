// The tool bar over comctl32's tool bar class. Its buttons are TToolButton
// controls: the bar's window draws and clicks them, the button objects keep
// what they show (style, caption, image, state) and receive the clicks.
#pragma once
#include <memory>
#include <vector>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/graphics/imagelist.h"

class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
DOZURI_ENUM(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider");

class TToolButton : public TGraphicControl {
  DECLARE_CLASS(TToolButton, TGraphicControl)

public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;

  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  // A check button of a group: one of the adjacent grouped buttons is down.
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  // A check button's state, as the bar shows it.
  bool Down() const;
  void SetDown(bool Value);
  bool Indeterminate() const { return FIndeterminate; }
  void SetIndeterminate(bool Value);
  bool Marked() const { return FMarked; }
  void SetMarked(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value);
  // The place on the bar (-1 when not on one).
  int Index() const;
  TToolBar* ToolBar() const { return FToolBar; }

  void SetParent(TWinControl* AParent) override;
  // Pops the drop-down menu up under the button; true when there is one.
  bool CheckMenuDropdown();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TToolBar;
  // The bar's window paints the button; the bar's window takes its clicks.
  void CMHitTest(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void Changed();

  TToolBar* FToolBar = nullptr;
  TToolButtonStyle FStyle = tbsButton;
  bool FGrouped = false;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FIndeterminate = false;
  bool FMarked = false;
  bool FWrap = false;
  int FImageIndex = -1;
  TPopupMenu* FDropdownMenu = nullptr;
};

class TToolBar : public TWinControl {
  DECLARE_CLASS(TToolBar, TWinControl)

public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;

  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  // Raises EListError for a bad index.
  TToolButton* Buttons(int Index) const;
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // Captions beside the images instead of under them.
  bool List() const { return FList; }
  void SetList(bool Value);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

protected:
  // The button under the mouse, so that its hint shows.
  TControl* MouseTargetAt(int X, int Y) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  friend class TToolButton;
  void InsertButton(TToolButton* Button);
  void RemoveButton(TToolButton* Button);
  // Builds the bar's buttons from the button objects again.
  void RecreateButtons();
  void UpdateButtonState(TToolButton* Button);
  // Places each button object where the bar shows it.
  void UpdateButtonBounds();
  // Takes the check states the bar changed into the button objects.
  void ReadButtonStates();
  BYTE ButtonState(TToolButton* Button) const;
  BYTE ButtonStyle(TToolButton* Button) const;
  void ImageListChanged(TObject* Sender);
  void CNCommand(TMessage& Message);
  void CNNotify(TMessage& Message);

  std::vector<TToolButton*> FButtons;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TImageList* FImages = nullptr;
  bool FShowCaptions = false;
  bool FFlat = false;
  bool FList = false;
  int FButtonWidth = 23;
  int FButtonHeight = 22;
};
