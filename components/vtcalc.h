// TVtCalc: opens the desk calculator TVtCalcMainF. One calculator at a time
// per component: a second Execute while it is open only brings it forward.
// By default the calculator is a window of its own (NewWindow) with its own
// taskbar button that frees itself when closed; otherwise it is a modal
// dialog that Execute frees after it closes.
#pragma once
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/graphics/font.h"
#include "components/core/uitext.h"

class IAgentCharacter;
class TVtCalcMainF;

class TVtCalc : public TComponent {
  DECLARE_CLASS(TVtCalc, TComponent)

public:
  explicit TVtCalc(TComponent* AOwner);
  ~TVtCalc() override;

  bool NewWindow() const { return FNewWindow; }
  void SetNewWindow(bool Value) { FNewWindow = Value; }
  // The current number goes to the clipboard after every operator key.
  bool ClipBoardCopy() const { return FClipBoardCopy; }
  void SetClipBoardCopy(bool Value) { FClipBoardCopy = Value; }
  const AnsiString& CalcCaption() const { return FCalcCaption; }
  void SetCalcCaption(const AnsiString& Value) { FCalcCaption = Value; }
  // Kept with the component; the calculator does not use it.
  TFont* CalcFont() const { return FCalcFont.get(); }
  void SetCalcFont(TFont* Value) { FCalcFont->Assign(Value); }
  // The host's desktop character comes to the calculator when it is first shown.
  bool AgentOkey() const { return FAgentOkey; }
  void SetAgentOkey(bool Value) { FAgentOkey = Value; }
  // The component's version; writing it does nothing.
  AnsiString About() const { return "s1.06"; }
  void SetAbout(const AnsiString&) {}
  // Ask before closing.
  bool CloseDialog() const { return FCloseDialog; }
  void SetCloseDialog(bool Value) { FCloseDialog = Value; }

  // That character; none by default. An interface, so not streamed.
  IAgentCharacter* AgentChar = nullptr;
  // Handed to the calculator, which uses the form hook only.
  TTranslateFormEvent OnTranslateForm;
  TTranslateTextEvent OnTranslateText;

  void Execute();
  // The calculator shown now, or nullptr.
  TVtCalcMainF* Form() const { return FForm; }
  bool IsOpen() const { return FOpen; }

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TVtCalcMainF* CreateCalcForm();

  bool FNewWindow = true;
  bool FClipBoardCopy = true;
  AnsiString FCalcCaption = "Hesap Makinesi";
  std::unique_ptr<TFont> FCalcFont;
  bool FAgentOkey = false;
  bool FCloseDialog = false;
  bool FOpen = false;
  TVtCalcMainF* FForm = nullptr;
};
