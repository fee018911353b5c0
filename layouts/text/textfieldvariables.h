// The run-time variables of a text page's bound labels. A text label shows a
// host field through a TZRField that the runner makes for it and names
// "gfield_" + the label's name; a total label sums through a TZRAggregator
// named "gfield_Total" + the label's name over such a field. They belong to
// the label's text report and are freed after the run by name.
#pragma once
#include "classlib/system/ansistring.h"

class TComponent;
class TDataSet;
class TZRCustomLabel;
class TZReport;
class TZRVariable;

inline constexpr char TextFieldPrefix[] = "gfield_";
inline constexpr char TextTotalPrefix[] = "gfield_Total";
// Every run-time variable's name begins with this.
inline constexpr char TextVariableStem[] = "gfield";

// Gives a TZRLabel or a TZRTotalLabel its variable on field DataField of
// DataSet and answers it (nil for other labels and without a data set). A
// TZRLabel whose field the data set lacks keeps no variable; a total label
// gets its variables all the same (its count counts the records). The
// variable follows the label's sub-detail when the label prints there, else
// its report. A field's DisplayFormat becomes the display mask; a TZRLabel
// on a time of day written with ":" in a field whose name holds "SAAT" or
// "ZAMAN" gets "hh:mm:ss".
TZRVariable* BindTextLabelField(TZRCustomLabel& Label, TDataSet* DataSet, const AnsiString& DataField);

// Binds a component of a loaded layout from its hint: a TZRLabel or a
// TZRTotalLabel whose hint names a data set and a field gets its variable,
// with the data set asked of AskDataSet (other components ask nothing).
// Answers whether a variable was made.
template <class TAsk>
bool BindTextLabelFromHint(TComponent* C, TAsk AskDataSet);

// Frees the page's components named "gfield..." (last first).
void FreeTextFieldVariables(TZReport& Page);

// ---- template ----
#include "layouts/core/bindinghints.h"
#include "textreport/engine/zrctrls.h"

template <class TAsk>
bool BindTextLabelFromHint(TComponent* C, TAsk AskDataSet) {
  // Only these two have a variable to bind; the host is asked for nothing else.
  auto* label = dynamic_cast<TZRCustomLabel*>(C);
  if (dynamic_cast<TZRLabel*>(C) == nullptr && dynamic_cast<TZRTotalLabel*>(C) == nullptr)
    return false;
  TBindingHint hint;
  if (!ReadComponentHint(C, hint) || hint.DataSet().empty() || hint.DataField().empty())
    return false;
  TDataSet* dataSet = AskDataSet(hint.DataSet());
  return dataSet != nullptr && BindTextLabelField(*label, dataSet, hint.DataField()) != nullptr;
}
