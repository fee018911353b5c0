// Page controls: a tab control whose tabs are its sheets. Each TTabSheet is
// a windowed container filling the display area; only the active one is
// shown. A sheet with TabVisible off keeps its place but has no tab.
#pragma once
#include <vector>

#include "classlib/comctrls/tabcontrol.h"

class TPageControl;

class TTabSheet : public TWinControl {
  DECLARE_CLASS(TTabSheet, TWinControl)

public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // The place among all sheets of the page control (-1 without one).
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The place among the visible tabs (-1 when the sheet has no tab).
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);

  void SetParentComponent(TComponent* Value) override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CMTextChanged(TMessage& Message) override;
  void CMShowingChanged(TMessage& Message) override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
  DECLARE_CLASS(TPageControl, TCustomTabControl)

public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  // Raises EListError for a bad index.
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the sheet and selects its tab (no OnChanging/OnChange).
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  // The sheet after (or before) CurPage, wrapping round; with
  // CheckTabVisible only sheets that have a tab.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible);
  // Moves to the next sheet as the user would: OnChanging may refuse, and
  // OnChange follows.
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

protected:
  void Change() override;
  int GetImageIndex(int TabIndex) override;
  void CreateWnd() override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void MovePage(TTabSheet* Page, int NewIndex);
  // Builds the tabs from the sheets that have one and selects the active one.
  void UpdatePageTabs();
  void UpdateTab(TTabSheet* Page);
  // Shows Page and hides the sheet shown before.
  void ChangeActivePage(TTabSheet* Page);
  void CMDialogKey(TMessage& Message) override;

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};
