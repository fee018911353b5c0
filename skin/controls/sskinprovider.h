// TsSkinProvider: the component that serves its form's skin. It takes over
// the form's WindowProc while it lives (and gives it back when freed) and
// keeps the form in the registry of skinned forms. Without a skin, and for
// now also with one, the form is drawn as the class library draws it: the
// provider answers the skin commands a form must answer (0x02, 0x04, 0x07,
// 0x3C) and passes everything else to the form's own window procedure.
#pragma once
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/controls/messages.h"
#include "skin/core/commondata.h"

class TCustomForm;
class TForm;

class TsSkinProvider : public TComponent {
  DECLARE_CLASS(TsSkinProvider, TComponent)

public:
  // AOwner must be a form: anything else raises EAbort with a message.
  explicit TsSkinProvider(TComponent* AOwner);
  ~TsSkinProvider() override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TsCommonData* SkinData() const { return FSkinData.get(); }
  TForm* Form() const { return FForm; }
  // Another provider served the form first: this one does nothing.
  bool Duplicate() const { return FDuplicate; }

  bool AllowExtBorders() const { return FAllowExtBorders; }
  void SetAllowExtBorders(bool Value) { FAllowExtBorders = Value; }
  bool DrawNonClientArea() const { return FDrawNonClientArea; }
  void SetDrawNonClientArea(bool Value) { FDrawNonClientArea = Value; }
  bool MakeSkinMenu() const { return FMakeSkinMenu; }
  void SetMakeSkinMenu(bool Value) { FMakeSkinMenu = Value; }
  AnsiString MenuLineSkin() const { return FMenuLineSkin; }
  void SetMenuLineSkin(const AnsiString& Value) { FMenuLineSkin = Value; }
  bool ScreenSnap() const { return FScreenSnap; }
  void SetScreenSnap(bool Value) { FScreenSnap = Value; }
  int SnapBuffer() const { return FSnapBuffer; }
  void SetSnapBuffer(int Value) { FSnapBuffer = Value; }
  bool ShowAppIcon() const { return FShowAppIcon; }
  void SetShowAppIcon(bool Value) { FShowAppIcon = Value; }
  AnsiString TitleSkin() const { return FTitleSkin; }
  void SetTitleSkin(const AnsiString& Value) { FTitleSkin = Value; }
  bool UseGlobalColor() const { return FUseGlobalColor; }
  void SetUseGlobalColor(bool Value) { FUseGlobalColor = Value; }

  // Skin commands the skin utilities hand to the form's provider; nothing
  // is done with them.
  void DeliverSkinMessage(TMessage&) {}

  // Installed as the form's WindowProc.
  void FormWndProc(TMessage& Message);

private:
  bool AnswerInEveryState(TMessage& Message);
  void SkinRemoved(TMessage& Message);
  bool FormDestroying() const;

  TForm* FForm = nullptr;
  bool FDuplicate = false;
  bool FServing = false;
  TWndMethod FOldWindowProc;
  std::unique_ptr<TsCommonData> FSkinData;
  bool FAllowExtBorders = true;
  bool FDrawNonClientArea = true;
  bool FMakeSkinMenu = false;
  AnsiString FMenuLineSkin;
  bool FScreenSnap = false;
  int FSnapBuffer = 10;
  bool FShowAppIcon = true;
  AnsiString FTitleSkin;
  bool FUseGlobalColor = true;
};

// The message to the first provider among Form's components that is not
// being destroyed (DeliverSkinMessage); nothing without one.
void SendToFormProvider(TCustomForm* Form, TMessage& Message);
