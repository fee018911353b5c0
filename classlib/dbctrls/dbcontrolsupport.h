// What every data-aware control shares: the data-set headers, the answer to
// the "which data link is yours" question (CM_GETDATALINK), the data source
// bookkeeping and the key handling of the text controls.
#pragma once
#include "classlib/controls/control.h"
#include "classlib/data/datalink.h"
#include "classlib/data/dataset.h"
#include "classlib/data/datasource.h"
#include "classlib/data/field.h"

// The data link a control answers CM_GETDATALINK with, or nullptr.
TDataLink* DataLinkOf(TControl* Control);
// Answers CM_GETDATALINK with Link; true when Message was that question.
bool AnswerDataLinkQuery(TMessage& Message, TDataLink* Link);
// True when the component going away is Link's data source.
bool IsRemovedDataSource(TDataLink* Link, TComponent* AComponent, TOperation Operation);

// Points a field link at a new data source, keeping the control told when
// the source goes away (free notification) and forgetting the old one.
void SetLinkDataSource(TComponent* Control, TDataLink& Link, TDataSource* Value);

// The field link a data-aware control owns. It serves the control from the
// start and, when it goes with the control, stops calling the control's
// handlers and leaves its data source, so the control has nothing to undo.
class TControlFieldLink : public TFieldDataLink {
public:
  explicit TControlFieldLink(TComponent* Control) : control_(Control) { SetControl(Control); }
  ~TControlFieldLink() override;

  // Points the link at a new data source (SetLinkDataSource).
  void SetControlDataSource(TDataSource* Value) { SetLinkDataSource(control_, *this, Value); }
  // For the control's Notification: forgets a data source that goes away.
  void NotifyRemoved(TComponent* AComponent, TOperation Operation);
  // For the control's Dispatch: true when Message asked for this link.
  bool AnswerQuery(TMessage& Message) { return AnswerDataLinkQuery(Message, this); }

private:
  TComponent* control_;
};

// The text a one-line control shows for a field: its edit text while the
// control is being edited, else its display text; "" without a field.
AnsiString FieldControlText(TField* Field, bool Editing);

// The key handling every text control of a field shares: a key that would
// change the text first puts the data set into edit mode through the link,
// and is dropped (Key = 0) when that is not possible. Characters: Backspace,
// Ctrl+V, Ctrl+X and printable ones; keys: Delete and Shift+Insert.
void FieldEditKeyPress(TFieldDataLink& Link, char& Key);
void FieldEditKeyDown(TFieldDataLink& Link, WORD& Key, TShiftState Shift);
