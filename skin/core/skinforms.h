// Delivery of a skin message to every form: the forms of the application
// that have no skin provider, then the registered skinned forms, each with
// its child controls. The registry of skinned forms is kept here; a form's
// skin provider adds and removes its form.
#pragma once
#include <vector>

#include "classlib/forms/forms.h"

// The skinned forms, in no particular order.
std::vector<TForm*>& SkinnedFormRegistry();

// For each form of the application, last to first, that is no MDI child,
// is neither being destroyed nor loaded and does not answer
// SkinCmdAreYouSkinned with 1: the message to the form, its child controls
// and, for an MDI parent, its client window. Then SendToSkinnedForms,
// unless the application's component list shrank meanwhile (the loop ends
// there).
void SendToApplicationForms(TMessage& Message);
// The message to each registered form that is not being destroyed, its
// child controls and, for an MDI parent, its client window.
void SendToSkinnedForms(TMessage& Message);
// In the form designer: the message to each form of the screen (its child
// controls too) except the designer's own windows ("AppBuilder",
// "PropertyInspector"; for a skin removal also names holding "EditWindow_"
// or "DockSite"), then SendToSkinnedForms.
void SendToDesignedForms(TMessage& Message, bool Removal);
