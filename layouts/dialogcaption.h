// The designer's small dialogs carry the program's title: the caption of
// the application's main form, when there is one.
#pragma once

class TCustomForm;

// Dialog takes Main's caption; nothing changes without a main form.
void TakeCaptionOf(const TCustomForm* Main, TCustomForm& Dialog);
// The same with the application's main form.
void TakeMainFormCaption(TCustomForm& Dialog);
