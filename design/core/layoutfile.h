// The layout file: the child controls of a design stage, saved one after the
// other and read back all or nothing.
//
//   "TPF0" + component 1   ...   "TPF0" + component N   then N bytes of 0
//
// Each record is one component in the binary component format, written with
// the stage's owner form as root: references are stored by name, event
// handlers by the name of the form's published method, and the component's
// children owned by the form are nested in it. No header, length or count
// precedes the records; a reader stops at the first 0 where a signature would
// begin, so a file that ends in a single 0 reads the same.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/system/ansistring.h"

class TComponent;

// Buffer of the component reader and writers of a layout.
constexpr int LayoutBufferSize = 4096;
// Layouts are a few kilobytes; a file beyond this is not a layout, and is
// refused rather than read into memory.
constexpr std::int64_t MaxLayoutFileSize = std::int64_t{64} * 1024 * 1024;

// One record: the signature and Component, written with Root as root.
void WriteLayoutRecord(TStream& Stream, TComponent* Root, TComponent* Component);
// The end of a layout of RecordCount records: one 0 byte per record.
void WriteLayoutEnd(TStream& Stream, int RecordCount);

// The whole file in memory, so a damaged file is read where every length
// can be checked against what is there. Raises EFOpenError when the file
// cannot be opened, EReadError when it is larger than MaxLayoutFileSize.
void ReadLayoutCopy(const AnsiString& FileName, TMemoryStream& Copy);

// The exception that ends a failed load: the file name followed by
// " can not be read".
EReadError LayoutReadError(const AnsiString& FileName);

// Reads the records of a layout from the reader's position to the ending 0
// byte, all or nothing. Everything read is owned by Root (also the root for
// references and event handlers); the top-level components are parented by
// Staging and come back in reading order.
//
// Replaced are the components the layout is to replace (the stage's present
// children). Their names, and those of everything owned by Root nested in
// them, are set aside during the read, so the layout's components may take
// them as if the old ones were gone already; references in the layout never
// resolve to them. On success the names stay cleared (the caller frees
// Replaced). On any failure everything the read created is freed, the names
// come back and the exception passes on: Replaced are as they were.
std::vector<TComponent*> ReadLayoutRecords(TReader& Reader, TComponent* Root, TComponent* Staging,
                                           const std::vector<TComponent*>& Replaced);

using TComponentProc = std::function<void(TComponent* Component)>;

// A whole load: ReadLayoutRecords into Staging; on success Replaced are freed
// (the last first, each handed to Detach just before, so a container can let
// it go while it is whole) and the new components move to Container in
// reading order (SetParentComponent). On failure nothing changes and the
// exception passes on. Returns the new top-level components.
std::vector<TComponent*> ReplaceWithLayout(TReader& Reader, TComponent* Root, TComponent* Container,
                                           TComponent* Staging, const std::vector<TComponent*>& Replaced,
                                           const TComponentProc& Detach = nullptr);

// Frees Components from the last to the first, each handed to Detach just
// before; one freed meanwhile by the freeing of another is skipped.
void FreeComponents(const std::vector<TComponent*>& Components, const TComponentProc& Detach = nullptr);
