// The enumerations, bookmarks and event types that data sets, fields, data
// sources and data links share, with the platform's names and order.
#pragma once
#include <cstdint>

#include "classlib/classes/alignment.h"
#include "classlib/classes/events.h"
#include "classlib/classes/typinfo.h"
#include "classlib/system/ansistring.h"

class TDataSet;
class TField;
class TDataSource;

enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,
  ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo,
  ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT,
  ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid,
  ftTimeStamp, ftFMTBcd
};
DOZURI_ENUM(TFieldType, "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean",
            "ftFloat", "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes",
            "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftParadoxOle", "ftDBaseOle",
            "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString", "ftLargeint", "ftADT", "ftArray",
            "ftReference", "ftDataSet", "ftOraBlob", "ftOraClob", "ftVariant", "ftInterface",
            "ftIDispatch", "ftGuid", "ftTimeStamp", "ftFMTBcd");

enum TDataSetState {
  dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue, dsOldValue,
  dsCurValue, dsBlockRead, dsInternalCalc, dsOpening
};
DOZURI_ENUM(TDataSetState, "dsInactive", "dsBrowse", "dsEdit", "dsInsert", "dsSetKey", "dsCalcFields",
            "dsFilter", "dsNewValue", "dsOldValue", "dsCurValue", "dsBlockRead", "dsInternalCalc",
            "dsOpening");

// What a data set tells its data sources and they tell their links.
enum TDataEvent {
  deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange, deUpdateRecord,
  deUpdateState, deCheckBrowseMode, dePropertyChange, deFieldListChange, deFocusControl,
  deParentScroll, deConnectChange, deReconcileError, deDisabledStateChange
};

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };
DOZURI_ENUM(TFieldKind, "fkData", "fkCalculated", "fkLookup", "fkInternalCalc", "fkAggregate");

// Text alignment of a field's value in data-aware controls.
enum TLocateOption { loCaseInsensitive, loPartialKey };
DOZURI_ENUM(TLocateOption, "loCaseInsensitive", "loPartialKey");
DOZURI_SET(TLocateOptions, TLocateOption);

enum TFilterOption { foCaseInsensitive, foNoPartialCompare };
DOZURI_ENUM(TFilterOption, "foCaseInsensitive", "foNoPartialCompare");
DOZURI_SET(TFilterOptions, TFilterOption);

// How a data set asks its storage for a record, and what it answers.
enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };
enum TResyncModeFlag { rmExact, rmCenter };
using TResyncMode = TSet<TResyncModeFlag>;
// Where a record buffer stands: on a record, before the first or after the last.
enum TBookmarkFlag { bfCurrent, bfBOF, bfEOF, bfInserted };

// A bookmark as text (comparable, storable) and as a handle that
// GetBookmark hands out and FreeBookmark releases.
using TBookmarkStr = AnsiString;
using TBookmark = TBookmarkStr*;

DOZURI_EVENT(TDataSetNotifyEvent, void(TDataSet* DataSet));
DOZURI_EVENT(TFilterRecordEvent, void(TDataSet* DataSet, bool& Accept));
DOZURI_EVENT(TFieldNotifyEvent, void(TField* Sender));
DOZURI_EVENT(TFieldGetTextEvent, void(TField* Sender, AnsiString& Text, bool DisplayText));
DOZURI_EVENT(TFieldSetTextEvent, void(TField* Sender, const AnsiString& Text));
DOZURI_EVENT(TDataChangeEvent, void(TObject* Sender, TField* Field));

// The name of a field type as the platform prints it ("String", "Integer" ...).
AnsiString FieldTypeName(TFieldType type);
// True for the types whose values live outside the record (blobs and memos).
bool IsBlobType(TFieldType type);
