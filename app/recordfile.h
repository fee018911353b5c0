// The record file (Data\barkod.bxf): a table's records written raw, one
// after another in table order, no header. For the barcode record table a
// record is 4040 bytes: per field a flag byte (non-zero: the field holds a
// value) and 201 bytes of zero-terminated code page 1254 text.
#pragma once
#include <cstdint>

#include "classlib/data/rxmemorydata.h"

struct TRecordFileLoad {
  int Records = 0;
  // Bytes at the end of the file too few for a whole record: a damaged or
  // cut file. They are not made into a record.
  std::int64_t IgnoredTailBytes = 0;
};

// Writes every record the table shows, from its first, to fileName. The
// records go to a temporary file in the same folder first, which then
// replaces the old file, so a failed write never destroys saved records.
void SaveRecordBuffers(TRxMemoryData& table, const AnsiString& fileName);

// Empties the table and appends the file's whole records. A failure part-way
// raises with the records read so far left in the table.
TRecordFileLoad LoadRecordBuffers(TRxMemoryData& table, const AnsiString& fileName);

// The program's start-up load. When the file cannot be read whole (a failure
// part-way, or a partial record at its end) the original is kept aside under
// a free name "<file>.bak" (".1.bak" ...), so the save at exit cannot
// overwrite records that were never read.
struct TStartupRecordLoad {
  TRecordFileLoad Load;
  bool Failed = false;
  AnsiString Reason;      // the failure's message
  AnsiString BackupName;  // empty when nothing was kept aside
};
TStartupRecordLoad LoadRecordFileAtStartup(TRxMemoryData& table, const AnsiString& fileName);

// What to tell the user once about a start-up load, in Turkish; empty when
// the file was read whole.
AnsiString RecordLoadNotice(const TStartupRecordLoad& load);
