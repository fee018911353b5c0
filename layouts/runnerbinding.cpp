#include "layouts/runnerbinding.h"

#include "classlib/classes/typinfo.h"
#include "classlib/data/dataset.h"
#include "layouts/vtrapor.h"

namespace {

PPropInfo PublishedProp(TComponent* C, const char* Name, TTypeKind Kind) {
  PPropInfo prop = GetPropInfo(C, Name);
  return prop != nullptr && prop->Kind() == Kind && prop->Writable() ? prop : nullptr;
}

PPropInfo PublishedTextProp(TComponent* C, const char* Name) {
  PPropInfo prop = PublishedProp(C, Name, tkLString);
  return prop != nullptr ? prop : PublishedProp(C, Name, tkString);
}

}  // namespace

bool IsInstanceOf(const TObject* Object, const char* ClassName) {
  if (Object == nullptr)
    return false;
  for (TClass c = Object->ClassType(); c != nullptr; c = c->Parent)
    if (AnsiString(c->Name) == ClassName)
      return true;
  return false;
}

TDataSet* TLayoutBinder::AskDataSet(const AnsiString& Name) const {
  TDataSet* dataSet = nullptr;
  if (FRapor != nullptr)
    FRapor->DoGetDataSet(Name, dataSet);
  return dataSet;
}

void TLayoutBinder::Bind(TComponent* C) {
  TBindingHint hint;
  if (!ReadComponentHint(C, hint))
    return;
  const AnsiString dataSet = hint.DataSet();
  const AnsiString dataField = hint.DataField();
  const AnsiString parametre = hint.Parametre();
  if (!parametre.empty())
    BindParameter(C, parametre);
  if (!dataSet.empty())
    BindDataSet(C, dataSet);
  if (!dataField.empty())
    BindDataField(C, dataField);
  BindMask(C);
}

// Labels show the host's value; an image is the handler's to change.
void TLayoutBinder::BindParameter(TComponent* C, const AnsiString& Code) {
  const bool label = IsInstanceOf(C, "TQRLabel") || IsInstanceOf(C, "TZRLabel");
  if (!label && !IsInstanceOf(C, "TQRImage"))
    return;
  AnsiString value;
  if (FRapor != nullptr) {
    TComponent* passed = C;  // a replacement the handler stores is not taken over
    FRapor->DoGetParam(passed, Code, value);
  }
  if (!label)
    return;
  if (PPropInfo caption = PublishedTextProp(C, "Caption"))
    SetStrProp(C, caption, value.empty() ? AnsiString(MissingParameterText) : value);
}

void TLayoutBinder::BindDataSet(TComponent* C, const AnsiString& Name) {
  PPropInfo prop = PublishedProp(C, "DataSet", tkClass);
  if (prop == nullptr)
    return;
  TDataSet* dataSet = AskDataSet(Name);
  if (dataSet == nullptr) {
    if (!FDataSetMissing)
      FMissingName = Name;
    FDataSetMissing = true;
    return;
  }
  // A text label's data set is its run-time variable's, not its own.
  if (!IsInstanceOf(C, "TZRLabel"))
    SetObjectProp(C, prop, dataSet);
}

void TLayoutBinder::BindDataField(TComponent* C, const AnsiString& Field) {
  if (PPropInfo prop = PublishedTextProp(C, "DataField"))
    SetStrProp(C, prop, Field);
}

void TLayoutBinder::BindMask(TComponent* C) {
  if (FRapor == nullptr || IsInstanceOf(C, "TQRDBText"))
    return;
  PPropInfo prop = PublishedTextProp(C, "Mask");
  if (prop != nullptr && GetStrProp(C, prop).empty())
    SetStrProp(C, prop, FRapor->Hassasiyet());
}
