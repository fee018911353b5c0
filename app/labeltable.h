// What the print page does to the label table: copies of barcode records
// become labels, placeholder labels (BAS true) fill the used positions of a
// partly used sheet, and counts typed by the user are read with a bound.
#pragma once
#include "classlib/data/dataset.h"
#include "classlib/system/ansistring.h"

// The most copies of one record, and the highest start position, a single
// request takes: a typo such as 1000000 must not append a million labels.
constexpr int MaxLabelCount = 10000;

// The answer to a count question read as a whole number; anything that is
// not one counts as 0.
int ReadWholeNumber(const AnsiString& Answer);

// Whether the answer is a whole number below 1 as typed ("0", "-3", "-0"):
// a position or count the user meant as a number, not one mistyped ("beş",
// "1,5"), so the message can say where the numbering starts.
bool IsWholeNumberBelowOne(const AnsiString& Answer);

// Whether the blank positions before Start (Start - 1 placeholders) fill at
// least one whole sheet of a layout holding LabelsPerPage labels a sheet;
// such a request would feed only empty sheets before the first label.
// LabelsPerPage 0 means the count is not known: nothing is refused.
bool PlaceholdersFillASheet(int Start, int LabelsPerPage);

// Appends a record to Target and sets each of its fields that Source also
// has (by name, in Source's field order) to the Source field's text, then
// posts it. Fields only Target has (a label's BAS) stay null.
void CopyRecordByFieldNames(TDataSet& Source, TDataSet& Target);

// Copies every record Source shows, each Copies times in a row, so labels
// come grouped per record in record order. Source ends on its last record.
void CopyShownRecords(TDataSet& Source, TDataSet& Target, int Copies);

// Deletes every placeholder label (BAS true), one at a time.
void RemovePlaceholders(TDataSet& Labels);

// Inserts Count placeholder labels at the top of the label table.
void InsertPlaceholders(TDataSet& Labels, int Count);

// The number of placeholder labels in the table.
int PlaceholderCount(TDataSet& Labels);
