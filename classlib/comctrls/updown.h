// The up-down arrows over comctl32's up-down class. With an Associate the
// arrows sit at its right edge and write the position into its text.
#pragma once
#include "classlib/controls/wincontrol.h"

enum TUDAlignButton { udLeft, udRight };
DOZURI_ENUM(TUDAlignButton, "udLeft", "udRight");
enum TUDOrientation { udHorizontal, udVertical };
DOZURI_ENUM(TUDOrientation, "udHorizontal", "udVertical");
enum TUDBtnType { btNext, btPrev };
DOZURI_ENUM(TUDBtnType, "btNext", "btPrev");

DOZURI_EVENT(TUDClickEvent, void(TObject* Sender, TUDBtnType Button));
DOZURI_EVENT(TUDChangingEvent, void(TObject* Sender, bool& AllowChange));

class TUpDown : public TWinControl {
  DECLARE_CLASS(TUpDown, TWinControl)

public:
  explicit TUpDown(TComponent* AOwner);

  TWinControl* Associate() const { return FAssociate; }
  void SetAssociate(TWinControl* Value);
  TUDAlignButton AlignButton() const { return FAlignButton; }
  void SetAlignButton(TUDAlignButton Value);
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const;
  void SetPosition(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value);
  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  bool ArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value);
  bool Thousands() const { return FThousands; }
  void SetThousands(bool Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual bool CanChange();
  virtual void Click(TUDBtnType Button);

private:
  void CNNotify(TMessage& Message);
  void CNScroll(TMessage& Message);
  void UpdateBuddy();
  void UndoAutoResizing();

  TWinControl* FAssociate = nullptr;
  TUDAlignButton FAlignButton = udRight;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;  // while there is no window
  int FIncrement = 1;
  TUDOrientation FOrientation = udVertical;
  bool FArrowKeys = true;
  bool FThousands = true;
  bool FWrap = false;
  int FLastDelta = 0;  // the step of the last UDN_DELTAPOS
  bool FBuddyResized = false;
};
