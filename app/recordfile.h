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
  // Records with a value flag other than 0 and 1: this program never writes
  // such a flag, so the file came from elsewhere or was damaged.
  int ForeignFlagRecords = 0;
};

// Writes every record the table shows, from its first, to fileName. The
// records go to a temporary file in the same folder first, which then
// replaces the old file, so a failed write never destroys saved records.
void SaveRecordBuffers(TRxMemoryData& table, const AnsiString& fileName);

// Empties the table and appends the file's whole records. A failure part-way
// raises with the records read so far left in the table.
TRecordFileLoad LoadRecordBuffers(TRxMemoryData& table, const AnsiString& fileName);

// The program's start-up load. When the file cannot be read whole (a failure
// part-way, a partial record at its end, or flags this program never
// writes) the original is kept aside under a free name "<file>.bak"
// (".1.bak" ...), so the save at exit cannot overwrite records that were
// never read.
struct TStartupRecordLoad {
  TRecordFileLoad Load;
  bool Failed = false;
  AnsiString Reason;      // why the read failed, in Turkish
  AnsiString BackupName;  // empty when nothing was kept aside
  // The file was not read whole.
  bool ReadIncomplete() const;
  // The file was not read whole and no copy of it could be kept aside: it
  // holds the only copy of records the table lacks, so it must not be
  // replaced.
  bool OriginalAtRisk() const { return ReadIncomplete() && BackupName.empty(); }
};
TStartupRecordLoad LoadRecordFileAtStartup(TRxMemoryData& table, const AnsiString& fileName);

// What to tell the user once about a start-up load, in Turkish; empty when
// the file was read whole. saveName is where the records will be saved
// when that is not the file read.
AnsiString RecordLoadNotice(const TStartupRecordLoad& load, const AnsiString& saveName = "");

// A name beside fileName that no file has yet: "<name>.yeni<ext>", then
// "<name>.yeni1<ext>" ... The records go there when the file read at
// start-up must not be replaced.
AnsiString FreeSiblingRecordFileName(const AnsiString& fileName);
