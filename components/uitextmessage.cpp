#include "components/uitextmessage.h"

#include "classlib/forms/dialogservice.h"
#include "classlib/forms/forms.h"

namespace {

constexpr char InfoCaption[] = "Bilgi";

void ShowInfoBox(const AnsiString& Caption, const AnsiString& Text) {
  TMessageBoxRequest request;
  request.Caption = Caption;
  request.Text = Text;
  request.Flags = MB_OK | MB_ICONINFORMATION;
  DialogService().MessageBox(request);
}

}  // namespace

void ShowInfoMessage(const AnsiString& Message, const TShowMessageEvent& OnShowMessage,
                     const TTranslateTextEvent& OnTranslateText) {
  if (OnTranslateText) {
    // The caption is asked first, then the message.
    const AnsiString caption = TranslateHookText(InfoCaption, OnTranslateText);
    ShowInfoBox(caption, TranslateHookText(Message, OnTranslateText));
    return;
  }
  if (!OnShowMessage) {
    ShowInfoBox(InfoCaption, Message);
    return;
  }
  OnShowMessage(Message, ShowMessageInformation);
}

void ApplyTranslateForm(TCustomForm* Form, const TTranslateFormEvent& OnTranslateForm) {
  if (Form == nullptr || !OnTranslateForm)
    return;
  TransliterateFormTexts(Form);
  OnTranslateForm(Form);
}
