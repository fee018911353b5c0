#include "layouts/text/textfieldvariables.h"

#include "classlib/classes/typinfo.h"
#include "classlib/data/dataset.h"
#include "classlib/data/field.h"
#include "textreport/core/zrformat.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace {

// The controller whose data loop the label prints in: a sub-detail when the
// label sits on it or on one of its bands, else the label's report.
TZRCustomController* OwningController(TZRCustomLabel& Label, TZReport& Report) {
  if (auto* sub = dynamic_cast<TZRSubDetail*>(Label.Parent()))
    return sub;
  if (auto* sub = dynamic_cast<TZRSubDetail*>(Label.LabelController()))
    return sub;
  return &Report;
}

AnsiString FieldDisplayFormat(TField& Field) {
  PPropInfo prop = GetPropInfo(&Field, "DisplayFormat");
  if (prop == nullptr || prop->PropType == nullptr || prop->PropType->Kind != tkLString)
    return AnsiString();
  return GetStrProp(&Field, prop);
}

bool IsTimeField(const AnsiString& FieldName) {
  return FieldName.find("SAAT") != AnsiString::npos || FieldName.find("ZAMAN") != AnsiString::npos;
}

bool LooksLikeTimeOfDay(const AnsiString& Text) {
  return Text.find('.') == AnsiString::npos && Text.find(':') != AnsiString::npos;
}

// The field variable, named and attached, with the field's display format.
// A text label's variable exists only for a field the data set has; it
// alone gets the time mask for a time of day in a SAAT or ZAMAN field. A
// total label's variable is made whatever the field, so a count still
// counts the records when the layout names a field the host lacks.
TZRField* MakeFieldVariable(TZRCustomLabel& Label, TZReport& Report, TDataSet* DataSet, const AnsiString& DataField,
                            bool Total) {
  TField* field = DataSet->FindField(DataField);
  if (field == nullptr && !Total)
    return nullptr;
  auto* variable = new TZRField(&Report);
  variable->SetDataSet(DataSet);
  variable->SetDataField(DataField);
  variable->AttachController(OwningController(Label, Report));
  variable->SetName(TextFieldPrefix + Label.Name());
  if (field == nullptr)
    return variable;
  const AnsiString format = FieldDisplayFormat(*field);
  if (!format.empty())
    variable->Format()->SetDisplayMask(format);
  if (!Total && IsTimeField(DataField) && LooksLikeTimeOfDay(field->AsString()))
    variable->Format()->SetDisplayMask("hh:mm:ss");
  return variable;
}

TZRVariable* MakeTotal(TZRCustomLabel& Label, TZReport& Report, TZRField& Field) {
  auto* total = new TZRAggregator(&Report);
  total->SetVariable(&Field);
  total->AttachController(&Report);
  total->SetName(TextTotalPrefix + Label.Name());
  total->Format()->SetDisplayMask(Field.Format()->DisplayMask());
  return total;
}

// A variable of an earlier bind of the same label goes first, so the new
// one can take its name.
void FreeNamed(TZReport& Report, const AnsiString& Name) {
  if (TComponent* old = Report.FindComponent(Name))
    delete old;
}

}  // namespace

TZRVariable* BindTextLabelField(TZRCustomLabel& Label, TDataSet* DataSet, const AnsiString& DataField) {
  auto* report = dynamic_cast<TZReport*>(Label.Report());
  const bool total = dynamic_cast<TZRTotalLabel*>(&Label) != nullptr;
  if (report == nullptr || DataSet == nullptr || (!total && dynamic_cast<TZRLabel*>(&Label) == nullptr))
    return nullptr;
  FreeNamed(*report, TextTotalPrefix + Label.Name());
  FreeNamed(*report, TextFieldPrefix + Label.Name());
  TZRField* field = MakeFieldVariable(Label, *report, DataSet, DataField, total);
  TZRVariable* shown = field != nullptr && total ? MakeTotal(Label, *report, *field) : field;
  Label.SetVariable(shown);
  return shown;
}

void FreeTextFieldVariables(TZReport& Page) {
  for (int k = Page.ComponentCount() - 1; k >= 0; --k) {
    TComponent* c = Page.Components(k);
    if (c->Name().compare(0, sizeof(TextVariableStem) - 1, TextVariableStem) == 0)
      delete c;
  }
}
