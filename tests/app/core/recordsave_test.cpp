// Saving a record table larger than one write block: every record in table
// order, none lost or doubled where one block ends and the next begins.
#include <gtest/gtest.h>

#include <cstring>

#include "app/recordfile.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/system/numconv.h"
#include "tests/support/scratchfolder.h"

TEST(RecordFileSave, ManyRecordsAcrossWriteBlocksInTableOrder) {
  constexpr int count = 700;  // several blocks of the writer and a part block
  constexpr std::size_t record = 4040;
  TRxMemoryData table(nullptr);
  DefineBarcodeRecordFields(table);
  table.Open();
  for (int i = 0; i < count; ++i) {
    table.Append();
    table.FieldByName("METIN1")->SetAsString("R" + IntToStr(i));
    table.FieldByName("METIN20")->SetAsString("son" + IntToStr(i));
    table.Post();
  }
  ScratchFolder folder;
  const AnsiString file = folder.File("barkod.bxf");
  SaveRecordBuffers(table, file);

  const FileBytes bytes = ReadFileBytes(file);
  ASSERT_EQ(bytes.size(), count * record);
  for (int i = 0; i < count; ++i) {
    const char* first = reinterpret_cast<const char*>(&bytes[i * record + 1]);
    const char* last = reinterpret_cast<const char*>(&bytes[i * record + 19 * 202 + 1]);
    ASSERT_STREQ(first, ("R" + IntToStr(i)).c_str()) << i;
    ASSERT_STREQ(last, ("son" + IntToStr(i)).c_str()) << i;
  }
}
