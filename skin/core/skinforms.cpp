#include "skin/core/skinforms.h"

#include "classlib/forms/application.h"
#include "classlib/forms/screen.h"
#include "skin/core/skincommands.h"

namespace {

bool BeingDestroyed(const TComponent* C) { return C->ComponentState().Contains(csDestroying); }

// The form, its child controls and the client window of an MDI parent.
void DeliverToForm(TForm* Form, TMessage& Message) {
  SendMessageW(Form->Handle(), Message.Msg, Message.WParam, Message.LParam);
  SendToChildControls(Form, Message);
  if (Form->FormStyle() == fsMDIForm && Form->ClientHandle() != nullptr)
    SendMessageW(Form->ClientHandle(), Message.Msg, Message.WParam, Message.LParam);
}

bool IsDesignerWindow(const AnsiString& Name, bool Removal) {
  if (Name == "AppBuilder" || Name == "PropertyInspector")
    return true;
  return Removal && (Name.find("EditWindow_") != AnsiString::npos || Name.find("DockSite") != AnsiString::npos);
}

}  // namespace

std::vector<TForm*>& SkinnedFormRegistry() {
  static std::vector<TForm*> registry;
  return registry;
}

void SendToApplicationForms(TMessage& Message) {
  if (Application == nullptr)
    return;
  const int count = Application->ComponentCount();
  for (int i = count - 1; i >= 0; --i) {
    if (Application->ComponentCount() < count)
      return;  // a form went away under the loop
    auto* form = dynamic_cast<TForm*>(Application->Components(i));
    if (form == nullptr || form->FormStyle() == fsMDIChild || BeingDestroyed(form) ||
        form->ComponentState().Contains(csLoading))
      continue;
    // Forms with a skin provider answer 1 and are reached through the registry.
    if (form->HandleAllocated() && SendSkinCommand(form->Handle(), SkinCmdAreYouSkinned, 0) == 1)
      continue;
    DeliverToForm(form, Message);
  }
  SendToSkinnedForms(Message);
}

void SendToSkinnedForms(TMessage& Message) {
  // A copy: a form may register or leave while it handles the message.
  const std::vector<TForm*> forms = SkinnedFormRegistry();
  for (TForm* form : forms)
    if (form != nullptr && !BeingDestroyed(form))
      DeliverToForm(form, Message);
}

void SendToDesignedForms(TMessage& Message, bool Removal) {
  if (Screen != nullptr)
    for (int i = 0; i < Screen->FormCount(); ++i) {
      auto* form = dynamic_cast<TForm*>(Screen->Forms(i));
      if (form != nullptr && !BeingDestroyed(form) && !IsDesignerWindow(form->Name(), Removal) &&
          form->HandleAllocated())
        DeliverToForm(form, Message);
    }
  SendToSkinnedForms(Message);
}
