#include "design/core/layoutfile.h"

#include <algorithm>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/writer.h"
#include "design/core/componentwatch.h"
#include "design/core/layoutnames.h"

void WriteLayoutRecord(TStream& Stream, TComponent* Root, TComponent* Component) {
  TWriter writer(Stream, LayoutBufferSize);
  writer.SetRoot(Root);
  writer.WriteSignature();
  writer.WriteComponent(Component);
}

void WriteLayoutEnd(TStream& Stream, int RecordCount) {
  if (RecordCount <= 0)
    return;
  std::vector<char> zeros(static_cast<std::size_t>(RecordCount), 0);
  Stream.WriteBuffer(zeros.data(), static_cast<std::int32_t>(zeros.size()));
}

void ReadLayoutCopy(const AnsiString& FileName, TMemoryStream& Copy) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  std::int64_t size = file.Size();
  if (size > MaxLayoutFileSize)
    throw EReadError("Layout file too large");
  Copy.SetSize(0);
  if (size > 0)
    Copy.CopyFrom(file, size);
  Copy.SetPosition(0);
}

EReadError LayoutReadError(const AnsiString& FileName) { return EReadError(FileName + " can not be read"); }

std::vector<TComponent*> ReadLayoutRecords(TReader& Reader, TComponent* Root, TComponent* Staging,
                                           const std::vector<TComponent*>& Replaced) {
  TNamesSetAside setAside(Root, Replaced);
  TNewComponents created(Root);
  std::vector<TComponent*> records;
  try {
    Reader.ReadComponents(Root, Staging, [&records](TComponent* record) { records.push_back(record); });
  } catch (...) {
    created.FreeAll();
    throw;  // setAside gives the names back
  }
  setAside.Keep();
  return records;
}

std::vector<TComponent*> ReplaceWithLayout(TReader& Reader, TComponent* Root, TComponent* Container,
                                           TComponent* Staging, const std::vector<TComponent*>& Replaced,
                                           const TComponentProc& Detach) {
  std::vector<TComponent*> records = ReadLayoutRecords(Reader, Root, Staging, Replaced);
  FreeComponents(Replaced, Detach);
  // The records are watched while they move: a host that frees one in a
  // notification must not leave a dangling pointer in the list.
  std::vector<TComponent*> alive = records;
  TComponentWatch watch([&alive](TComponent* gone) { std::erase(alive, gone); });
  for (TComponent* record : records)
    watch.Watch(record);
  for (TComponent* record : records)
    if (std::find(alive.begin(), alive.end(), record) != alive.end())
      record->SetParentComponent(Container);
  for (TComponent* record : alive)
    watch.Unwatch(record);
  return alive;
}

void FreeComponents(const std::vector<TComponent*>& Components, const TComponentProc& Detach) {
  std::vector<TComponent*> alive = Components;
  TComponentWatch watch([&alive](TComponent* gone) { std::erase(alive, gone); });
  for (TComponent* c : alive)
    watch.Watch(c);
  while (!alive.empty()) {
    TComponent* victim = alive.back();
    watch.Unwatch(victim);
    alive.pop_back();
    if (Detach)
      Detach(victim);
    victim->Free();
  }
}
