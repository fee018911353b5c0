#include "app/recordfile.h"

#include <algorithm>
#include <vector>

#include "app/filefailure.h"
#include "app/recordtables.h"
#include "classlib/classes/streams.h"
#include "classlib/system/filebackup.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"

namespace {

constexpr std::size_t kSaveBlockBytes = 1 << 20;

}  // namespace

void SaveRecordBuffers(TRxMemoryData& table, const AnsiString& fileName) {
  ReplaceFileSafely(fileName, "bxf", [&table](const AnsiString& temporary) {
    TFileStream file(temporary, fmCreate | fmShareExclusive);
    TDisableControlsScope frozen(table);
    // The records gather in one buffer that is written when full: a write
    // per 4 KB record would cost more than the record itself.
    const std::size_t recordSize = static_cast<std::size_t>(table.RecordSize());
    const std::size_t blockSize = std::max<std::size_t>(1, kSaveBlockBytes / recordSize) * recordSize;
    std::vector<std::uint8_t> block;
    block.reserve(blockSize);
    auto writeBlock = [&] {
      file.WriteBuffer(block.data(), static_cast<std::int32_t>(block.size()));
      block.clear();
    };
    table.First();
    while (!table.Eof()) {
      const std::uint8_t* record = table.RawRecordData();
      block.insert(block.end(), record, record + recordSize);
      if (block.size() >= blockSize)
        writeBlock();
      table.Next();
    }
    if (!block.empty())
      writeBlock();
  });
}

namespace {

bool HasForeignFlag(const TRecordLayout& layout, const std::vector<std::uint8_t>& record) {
  for (const TRecordSlot& slot : layout.Slots())
    if (record[static_cast<std::size_t>(slot.Offset)] > 1)
      return true;
  return false;
}

}  // namespace

TRecordFileLoad LoadRecordBuffers(TRxMemoryData& table, const AnsiString& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  TDisableControlsScope frozen(table);
  table.Close();
  table.Open();
  const std::size_t recordSize = static_cast<std::size_t>(table.RecordSize());
  TRecordFileLoad load;
  const std::int64_t size = file.Size();
  load.IgnoredTailBytes = size % static_cast<std::int64_t>(recordSize);
  std::vector<std::uint8_t> buffer(recordSize);
  for (std::int64_t whole = size / static_cast<std::int64_t>(recordSize); whole > 0; --whole) {
    file.ReadBuffer(buffer.data(), static_cast<std::int32_t>(recordSize));
    if (HasForeignFlag(table.RecordLayout(), buffer))
      ++load.ForeignFlagRecords;
    table.Append();
    table.SetRawRecord(buffer.data(), buffer.size());
    table.Post();
    ++load.Records;
  }
  table.First();
  return load;
}

namespace {

// A copy that fails part-way is removed, so no half copy passes for the
// original.
bool CopyWholeFile(const AnsiString& from, const AnsiString& to) {
  try {
    TFileStream source(from, fmOpenRead | fmShareDenyNone);
    {
      TFileStream target(to, fmCreate);
      try {
        target.CopyFrom(source, 0);
        return true;
      } catch (const Exception&) {
      }
    }
    DeleteFile(to);
    return false;
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace

TStartupRecordLoad LoadRecordFileAtStartup(TRxMemoryData& table, const AnsiString& fileName) {
  TStartupRecordLoad result;
  if (!FileExists(fileName))
    return result;
  try {
    result.Load = LoadRecordBuffers(table, fileName);
    if (!result.ReadIncomplete())
      return result;
  } catch (const Exception& e) {
    result.Failed = true;
    result.Reason = FileFailureText(e);
  }
  const AnsiString backup = FreeBackupFileName(fileName);
  if (CopyWholeFile(fileName, backup))
    result.BackupName = backup;
  return result;
}

bool TStartupRecordLoad::ReadIncomplete() const {
  return Failed || Load.IgnoredTailBytes > 0 || Load.ForeignFlagRecords > 0;
}

AnsiString RecordLoadNotice(const TStartupRecordLoad& load, const AnsiString& saveName) {
  AnsiString notice;
  if (load.Failed)
    notice = "Kayıt dosyası okunamadı: " + load.Reason + ".";
  else if (load.Load.ForeignFlagRecords > 0)
    notice = "Kayıt dosyası bu programın yazdığı bir kayıt dosyasına benzemiyor; okunan kayıtlar yanlış olabilir.";
  else if (load.Load.IgnoredTailBytes > 0)
    notice = "Kayıt dosyasının sonundaki eksik kayıt okunmadı.";
  else
    return notice;
  if (!load.BackupName.empty())
    notice += " Dosyanın aslı \"" + load.BackupName + "\" olarak saklandı.";
  else
    notice += " Dosyanın bir kopyası alınamadı.";
  if (!saveName.empty())
    notice += " Dosyanın üzerine yazılmayacak; kayıtlar çıkışta \"" + saveName + "\" dosyasına yazılacak.";
  return notice;
}

AnsiString FreeSiblingRecordFileName(const AnsiString& fileName) {
  const AnsiString extension = ExtractFileExt(fileName);
  const AnsiString stem = fileName.substr(0, fileName.size() - extension.size());
  AnsiString name = stem + ".yeni" + extension;
  for (int n = 1; (FileExists(name) || DirectoryExists(name)) && n < 1000; ++n)
    name = stem + ".yeni" + std::to_string(n) + extension;
  return name;
}
