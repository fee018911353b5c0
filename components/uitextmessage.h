// The windowed side of the components' UI-text helpers: the information
// message and a dialog's form hook, with the host's optional hooks (see
// components/core/uitext.h).
#pragma once
#include "components/core/uitext.h"

// Shows an information message:
//  - with a text hook: a message box captioned with the hook's "Bilgi",
//    showing the hook's translation of the transliterated message;
//  - else without a message hook: the message as it is, captioned "Bilgi";
//  - else the message hook gets the message as it is with Kind 0, and
//    nothing else is shown.
// The boxes carry the information icon and an OK button.
void ShowInfoMessage(const AnsiString& Message, const TShowMessageEvent& OnShowMessage,
                     const TTranslateTextEvent& OnTranslateText);

// What a dialog that received a form hook does when it is shown: with the
// hook assigned, the texts of the form's components are transliterated and
// then the hook gets the form; without it nothing changes.
void ApplyTranslateForm(TCustomForm* Form, const TTranslateFormEvent& OnTranslateForm);
