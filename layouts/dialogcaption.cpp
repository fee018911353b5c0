#include "layouts/dialogcaption.h"

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"

void TakeCaptionOf(const TCustomForm* Main, TCustomForm& Dialog) {
  if (Main != nullptr && Main != &Dialog)
    Dialog.SetCaption(Main->Caption());
}

void TakeMainFormCaption(TCustomForm& Dialog) {
  if (Application != nullptr)
    TakeCaptionOf(Application->MainForm(), Dialog);
}
