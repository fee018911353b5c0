// Menus over HMENU: TMenuItem trees, the form's main menu bar and popup menus,
// and the shortcut texts ("Ctrl+F5", "Alt+F2", "PgUp").
//
// Every item that has children owns a popup HMENU; a TMenu owns the HMENU of
// its root item (a menu bar for TMainMenu, a popup for TPopupMenu). Any change
// of an item rebuilds the entries of its parent's HMENU, so what Win32 shows
// always follows the item tree. Each item has a command number, unique in the
// process, that WM_COMMAND brings back to it. Owner-drawn items (the menu's
// OwnerDraw, or an item with a draw or measure handler) carry their object in
// the entry's item data, so WM_MEASUREITEM/WM_DRAWITEM reach their events.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/forms/shortcuts.h"

class TCanvas;
class TImageList;
class TMenu;
class TMenuItem;
class TBasicAction;
class TMenuActionLink;
class TComponent;

// ---- Owner draw -------------------------------------------------------------
enum TOwnerDrawStateFlag {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
DOZURI_SET(TOwnerDrawState, TOwnerDrawStateFlag);
// The state bits of a DRAWITEMSTRUCT (ODS_...) as an owner-draw state.
TOwnerDrawState OwnerDrawStateOf(UINT itemState);

DOZURI_EVENT(TMenuDrawItemEvent, void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected));
DOZURI_EVENT(TAdvancedMenuDrawItemEvent,
             void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, TOwnerDrawState State));
DOZURI_EVENT(TMenuMeasureItemEvent, void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height));

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
DOZURI_ENUM(TMenuBreak, "mbNone", "mbBreak", "mbBarBreak");

DOZURI_EXCEPTION(EMenuError, Exception);

// ---- Items ------------------------------------------------------------------
class TMenuItem : public TComponent {
  DECLARE_CLASS(TMenuItem, TComponent)

public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // ---- The tree ----
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EMenuError "Menu index out of range" for a bad index.
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return parent_; }
  // The menu whose tree holds this item, or nullptr.
  TMenu* GetParentMenu() const;
  int IndexOf(const TMenuItem* Item) const;
  int MenuIndex() const { return parent_ != nullptr ? parent_->IndexOf(this) : -1; }
  void SetMenuIndex(int Value);
  // Adds an item that has no parent yet (EMenuError "Menu inserted twice" otherwise).
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes an item out of this menu without freeing it.
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every child.
  void Clear();
  // The child (at any depth) with that command number, or nullptr.
  TMenuItem* FindCommand(int Command);
  // The child (at any depth) with that shortcut, or nullptr.
  TMenuItem* FindShortCut(TShortCut Key);

  // Runs the action when there is one, otherwise OnClick.
  virtual void Click();

  // ---- Properties ----
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& Value);
  // A caption of "-" makes a separator line.
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  bool Default() const { return default_; }
  void SetDefault(bool Value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& Value) { hint_ = Value; }
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak Value);
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);

  // The command number WM_COMMAND carries for this item.
  int Command() const { return command_; }
  // The popup HMENU of this item's children (made on first use).
  HMENU Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  // Brings the HMENU up to date after a change of this item (Rebuild: of its
  // whole parent) and tells the menu.
  void MenuChanged(bool Rebuild);

  // Owner draw: the size of the item and its painting.
  virtual void MeasureItem(TCanvas& ACanvas, int& Width, int& Height);
  virtual void AdvancedDrawItem(TCanvas& ACanvas, const RECT& ARect, TOwnerDrawState State, bool TopLevel);

  // The item whose object a menu entry carries, if it is alive.
  static TMenuItem* FromItemData(ULONG_PTR data);
  // True for an entry of a menu bar (a top-level item of a main menu).
  bool IsBarItem() const;

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  virtual void DoDrawText(TCanvas& ACanvas, const AnsiString& Text, RECT& Rect, bool Selected, UINT Flags);

private:
  friend class TMenu;
  friend class TMenuActionLink;
  bool IsOwnerDraw() const;
  void RebuildHandle();
  // Rebuilds the entries of this item's menu and of every submenu below it.
  void RebuildTree();
  void AppendTo(HMENU menu);
  void DestroyHandle();
  AnsiString EntryText() const;
  void CheckIndex(int Index, bool inserting) const;

  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a root item only
  HMENU handle_ = nullptr;
  int command_ = 0;
  AnsiString caption_;
  AnsiString hint_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  TShortCut shortCut_ = 0;
  int imageIndex_ = -1;
  TMenuBreak break_ = mbNone;
  TMenuActionLink* actionLink_ = nullptr;
};

// ---- Menus ------------------------------------------------------------------
class TMenu : public TComponent {
  DECLARE_CLASS(TMenu, TComponent)

public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_; }
  HMENU Handle() { return items_->Handle(); }
  // The window that shows this menu (a form's, or the popup window).
  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND Value);
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool Value);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* Value);
  bool AutoMerge() const { return autoMerge_; }
  void SetAutoMerge(bool Value) { autoMerge_ = Value; }

  // Clicks the item of a command number; false when none of this menu has it.
  bool DispatchCommand(WORD Command);
  // Clicks the enabled, visible item with this shortcut; false when there is none.
  bool IsShortCut(TShortCut Key);
  TMenuItem* FindItem(int Command) { return items_->FindCommand(Command); }

  // Called after an item of this menu changed.
  virtual void MenuChanged(TMenuItem* Source, bool Rebuild);
  TNotifyEvent OnChange;

protected:
  // Makes the root's HMENU: a bar or a popup.
  virtual HMENU CreateMenuHandle() = 0;

private:
  friend class TMenuItem;
  TMenuItem* items_;
  HWND window_ = nullptr;
  bool ownerDraw_ = false;
  bool autoMerge_ = false;
  TImageList* images_ = nullptr;
};

// The menu bar of a form.
class TMainMenu : public TMenu {
  DECLARE_CLASS(TMainMenu, TMenu)

public:
  explicit TMainMenu(TComponent* AOwner);
  void MenuChanged(TMenuItem* Source, bool Rebuild) override;

protected:
  HMENU CreateMenuHandle() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
DOZURI_ENUM(TPopupAlignment, "paLeft", "paRight", "paCenter");

class TPopupMenu : public TMenu {
  DECLARE_CLASS(TPopupMenu, TMenu)

public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Shows the menu at a screen point and runs its modal loop; a chosen item
  // is clicked before Popup returns.
  virtual void Popup(int X, int Y);
  // The component the menu was last shown for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* Value);
  POINT PopupPoint() const { return popupPoint_; }
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool Value) { autoPopup_ = Value; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }

  TNotifyEvent OnPopup;

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  HMENU CreateMenuHandle() override;
  virtual void DoPopup(TObject* Sender);

private:
  TComponent* popupComponent_ = nullptr;
  POINT popupPoint_{};
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
};

// Owner-draw menu messages for a window that shows menus: WM_MEASUREITEM and
// WM_DRAWITEM of ODT_MENU entries made by TMenuItem go to the item. Returns
// true when the message was one of them and has been answered.
bool DispatchMenuOwnerDraw(UINT Msg, WPARAM WParam, LPARAM LParam);

// The window popup menus report to (one per process, made on first use).
HWND PopupListWindow();
