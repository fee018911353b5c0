#include "classlib/dbctrls/dbcontrolsupport.h"

TDataLink* DataLinkOf(TControl* Control) {
  if (Control == nullptr)
    return nullptr;
  return reinterpret_cast<TDataLink*>(Control->Perform(CM_GETDATALINK, 0, 0));
}

void SetLinkDataSource(TComponent* Control, TDataLink& Link, TDataSource* Value) {
  TDataSource* old = Link.DataSource();
  if (old == Value)
    return;
  if (old != nullptr)
    old->RemoveFreeNotification(Control);
  Link.SetDataSource(Value);
  if (Value != nullptr)
    Value->FreeNotification(Control);
}

TControlFieldLink::~TControlFieldLink() {
  OnDataChange = nullptr;
  OnEditingChange = nullptr;
  OnUpdateData = nullptr;
  OnActiveChange = nullptr;
  OnFocusRequest = nullptr;
  SetControlDataSource(nullptr);
}

void TControlFieldLink::NotifyRemoved(TComponent* AComponent, TOperation Operation) {
  if (IsRemovedDataSource(this, AComponent, Operation))
    SetControlDataSource(nullptr);
}

AnsiString FieldControlText(TField* Field, bool Editing) {
  if (Field == nullptr)
    return AnsiString();
  return Editing ? Field->Text() : Field->DisplayText();
}

void FieldEditKeyPress(TFieldDataLink& Link, char& Key) {
  auto code = static_cast<unsigned char>(Key);
  bool changesText = code == 8 || code == 22 || code == 24 || code >= 32;
  if (changesText && !Link.Edit())
    Key = 0;
}

void FieldEditKeyDown(TFieldDataLink& Link, WORD& Key, TShiftState Shift) {
  bool changesText = Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift));
  if (changesText && !Link.Edit())
    Key = 0;
}

bool AnswerDataLinkQuery(TMessage& Message, TDataLink* Link) {
  if (Message.Msg != CM_GETDATALINK)
    return false;
  Message.Result = reinterpret_cast<LRESULT>(Link);
  return true;
}

bool IsRemovedDataSource(TDataLink* Link, TComponent* AComponent, TOperation Operation) {
  return Operation == opRemove && Link != nullptr && AComponent == Link->DataSource();
}
