// Tab controls over comctl32's tab class: a row of tabs whose texts are a
// string list, and the base of the page control.
#pragma once
#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/graphics/imagelist.h"

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
DOZURI_ENUM(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight");
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
DOZURI_ENUM(TTabStyle, "tsTabs", "tsButtons", "tsFlatButtons");

DOZURI_EVENT(TTabChangingEvent, void(TObject* Sender, bool& AllowChange));

// The tabs live in the window while it exists; the string list is the
// model they are rebuilt from whenever it changes. OnChanging can refuse a
// change the user makes; OnChange follows each change the user made (a
// TabIndex set by code fires neither).
class TCustomTabControl : public TWinControl {
  DECLARE_CLASS(TCustomTabControl, TWinControl)

public:
  explicit TCustomTabControl(TComponent* AOwner);
  ~TCustomTabControl() override;

  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value);
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);

  // The area inside the tabs and the frame, in client coordinates.
  TRect DisplayRect();
  // The tab at a client point, or -1.
  int IndexOfTabAt(int X, int Y);
  TRect TabRect(int Index);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

protected:
  TStrings* Tabs() const { return FTabs.get(); }
  void SetTabs(TStrings* Value) { FTabs->Assign(Value); }
  int TabIndex() const;
  void SetTabIndex(int Value);
  virtual bool CanChange();
  virtual void Change();
  // The image of a tab (-1: none).
  virtual int GetImageIndex(int TabIndex) { return TabIndex; }

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void AdjustClientRect(TRect& Rect) override;
  // Puts the tab texts of the list into the window again.
  void UpdateTabs();

private:
  void TabsChanged(TObject* Sender);
  void ImageListChanged(TObject* Sender);
  void CNNotify(TMessage& Message);

  std::unique_ptr<TStringList> FTabs;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TImageList* FImages = nullptr;
  int FTabIndex = -1;  // while there is no window
  bool FMultiLine = false;
  TTabPosition FTabPosition = tpTop;
  TTabStyle FStyle = tsTabs;
  bool FHotTrack = false;
  int FTabHeight = 0;
  int FTabWidth = 0;
};

class TTabControl : public TCustomTabControl {
  DECLARE_CLASS(TTabControl, TCustomTabControl)

public:
  explicit TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

  using TCustomTabControl::SetTabIndex;
  using TCustomTabControl::SetTabs;
  using TCustomTabControl::TabIndex;
  using TCustomTabControl::Tabs;
};
