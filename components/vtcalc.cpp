#include "components/vtcalc.h"

#include <windows.h>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/application.h"
#include "components/vtcalcmainf.h"

BEGIN_PUBLISHED(TVtCalc)
  PROPERTY(NewWindow, NewWindow, SetNewWindow).Default(true),
  PROPERTY(ClipBoardCopy, ClipBoardCopy, SetClipBoardCopy).Default(true),
  PROPERTY(CalcCaption, CalcCaption, SetCalcCaption),
  PROPERTY(CalcFont, CalcFont, SetCalcFont),
  PROPERTY(AgentOkey, AgentOkey, SetAgentOkey).Default(false),
  // Always "s1.06": nothing to write, and a stream that carries it reads.
  PROPERTY(About, About, SetAbout).Stored(false),
  PROPERTY(CloseDialog, CloseDialog, SetCloseDialog).Default(false),
END_PUBLISHED

TVtCalc::TVtCalc(TComponent* AOwner) : TComponent(AOwner), FCalcFont(std::make_unique<TFont>()) {
  FCalcFont->SetColor(clRed);
  FCalcFont->SetStyle(TFontStyles{fsBold});
}

TVtCalc::~TVtCalc() {
  if (FForm != nullptr)
    FForm->RemoveFreeNotification(this);
}

TVtCalcMainF* TVtCalc::CreateCalcForm() {
  auto* form = new TVtCalcMainF(Application);
  form->SetName("VtCalcMainF");
  form->NewWindow = FNewWindow;
  form->ClipBoardCopy = FClipBoardCopy;
  form->CloseDialog = FCloseDialog;
  form->AgentOkey = FAgentOkey;
  form->AgentChar = AgentChar;
  form->LabelCaption->SetCaption(FCalcCaption);
  form->OnTranslateForm = OnTranslateForm;
  form->FreeNotification(this);
  return form;
}

void TVtCalc::Execute() {
  if (FOpen) {
    if (FNewWindow && FForm != nullptr) {
      FForm->Show();
      SetForegroundWindow(FForm->Handle());
    }
    return;
  }
  FOpen = true;
  try {
    FForm = CreateCalcForm();
    if (FNewWindow) {
      FForm->Show();
      return;
    }
    TVtCalcMainF* form = FForm;
    struct FreeOnExit {
      TVtCalcMainF* form;
      ~FreeOnExit() { form->Free(); }
    } freeOnExit{form};
    form->ShowModal();
  } catch (...) {
    if (FNewWindow && FForm != nullptr)
      FForm->Free();
    FForm = nullptr;
    FOpen = false;
    throw;
  }
}

// The calculator freed itself (or was freed with its owner): it is closed.
void TVtCalc::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FForm) {
    FForm = nullptr;
    FOpen = false;
  }
}
