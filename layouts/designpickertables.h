// The designer's picker tables, which the data-set and data-field picker
// shows: RxT holds every entry of the host's field list, RxGrup the
// distinct groups, RxTable the tables of the current group and RxField the
// fields of the current group and table. They live on the designer, so the
// field list is read once per designer, by the first picker shown.
//
// Moving in the group table refills the tables, moving in the table table
// refills the fields (the cascades), but only while a picker is open and
// PickerCascadeOn is set; a picker sets it once it is prepared.
#pragma once
#include "classlib/system/ansistring.h"

class TDizaynAnaF;
class TStrings;
class TRxMemoryData;

// Lets the cascades run; false at start.
extern bool PickerCascadeOn;

// The designer's tables and their data sources, open and empty, owned by
// Form, with the cascades on the after-scroll events.
void CreatePickerTables(TDizaynAnaF& Form);

// The picker's preparation: fills the tables from FieldList when RxT is
// empty, sorts them by text, moves to the preset group (the first when it
// is absent), runs the group cascade, then the preset table and field.
// Code look-ups are exact.
void PreparePickerTables(TDizaynAnaF& Form, const TStrings& FieldList, const AnsiString& Group,
                         const AnsiString& Table, const AnsiString& Field);

// RxT filled from the field list (once it is empty) with the distinct
// groups in RxGrup; every code and text is kept whole.
void FillPickerTables(TDizaynAnaF& Form, const TStrings& FieldList);

// The tables of the current group, sorted by text, then the table cascade.
void RunGroupCascade(TDizaynAnaF& Form);
// The fields of the current group and table, sorted by text (only while
// the open picker shows its field grid).
void RunTableCascade(TDizaynAnaF& Form);

// Moves RxField to the first field whose text begins with Text, letter case
// ignored; stays put when none does.
void LocateFieldByText(TDizaynAnaF& Form, const AnsiString& Text);

// Sorts Table by its text field, ascending, letter case ignored.
void SortPickerTable(TRxMemoryData* Table, const char* TextField);

class TCustomForm;
// A picker being shown: the designer's form-open hook gets it, and it takes
// the main form's caption.
void OpenPickerForm(TDizaynAnaF* Designer, TCustomForm& Picker);
