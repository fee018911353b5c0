// A scroll bar over the system's SCROLLBAR class. The control keeps the
// position; the user's scrolling moves it by SmallChange or LargeChange (or
// to the thumb) and fires OnScroll, then OnChange when it moved.
#pragma once
#include "classlib/controls/wincontrol.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
DOZURI_ENUM(TScrollBarKind, "sbHorizontal", "sbVertical");
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
DOZURI_ENUM(TScrollCode, "scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition", "scTrack", "scTop",
            "scBottom", "scEndScroll");
DOZURI_EVENT(TScrollEvent, void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos));

using TScrollBarInc = int;

class TScrollBar : public TWinControl {
  DECLARE_CLASS(TScrollBar, TWinControl)

public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  TScrollBarInc SmallChange() const { return FSmallChange; }
  void SetSmallChange(TScrollBarInc Value) { FSmallChange = Value; }
  TScrollBarInc LargeChange() const { return FLargeChange; }
  void SetLargeChange(TScrollBarInc Value) { FLargeChange = Value; }
  // Sets the three at once; the position is kept within Min..Max.
  // Raises EInvalidOperation when Max < Min.
  void SetParams(int APosition, int AMin, int AMax);

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

private:
  void CNScroll(TMessage& Message);
  void UpdateScrollInfo();

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
  TScrollBarInc FSmallChange = 1;
  TScrollBarInc FLargeChange = 1;
};
