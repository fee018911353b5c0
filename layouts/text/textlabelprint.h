// What every text label of a run does before it prints (the runner's
// ZrLabelBeforePrint): a TZRLabel's caption is written in ASCII letters; on
// the detail band the record's QR_EK field sets its bold, italic and
// underline; and a label's PRINTOPTION decides on which pages it prints.
#pragma once
#include "classlib/system/ansistring.h"

class TObject;
class TZRCustomLabel;

// The host's per-record formatting field.
inline constexpr char QrEkFieldName[] = "QR_EK";

// The handler's body: Sender is the label; PrintIt is cleared when its
// PRINTOPTION keeps it off the current page. Senders that are not text
// labels are left alone.
void TextLabelBeforePrint(TObject* Sender, bool& PrintIt);

// Each step on its own.
void TransliterateTextLabel(TZRCustomLabel& Label);
void ApplyQrEkToTextLabel(TZRCustomLabel& Label);
bool TextLabelPrintsNow(const TZRCustomLabel& Label);
