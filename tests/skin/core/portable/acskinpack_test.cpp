// The packed skin archive: entries, the options file, look-up of images,
// ownership of the source, and every kind of damaged data.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/classes/streams.h"
#include "skin/core/acskinpack.h"
#include "tests/skin/testarchive.h"
#include "tests/support/scratchfolder.h"

namespace {

using skin_test::ArchiveEntry;
using skin_test::BuildArchive;

std::string Contents(TStream& stream) {
  std::string text(static_cast<size_t>(stream.Size()), '\0');
  stream.Seek(0, soBeginning);
  stream.ReadBuffer(text.data(), static_cast<std::int32_t>(text.size()));
  return text;
}

// A memory stream over the bytes, handed to the reader as borrowed.
struct Borrowed {
  explicit Borrowed(const std::string& bytes) {
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  }
  TacSkinConvertor* Read() {
    TacSkinConvertor* reader = new TacSkinConvertor;
    reader->SetSourceStream(&stream, false);
    ReadSkinArchive(reader);
    return reader;
  }
  TMemoryStream stream;
};

TEST(SkinArchive, OnlyTheOptionsFile) {
  Borrowed source(BuildArchive({{"Options.dat", "[GLOBALINFO]\r\nVERSION=6.5\r\n"}}));
  std::unique_ptr<TacSkinConvertor> reader(source.Read());
  ASSERT_NE(reader->OptionsStream, nullptr);
  EXPECT_EQ(Contents(*reader->OptionsStream), "[GLOBALINFO]\r\nVERSION=6.5\r\n");
  EXPECT_EQ(reader->ImageCount(), 0);
}

TEST(SkinArchive, ImagesKeepTheirNamesAndAreFoundWithoutRegardToCase) {
  std::string big(100000, 'x');
  for (size_t i = 0; i < big.size(); i += 7)
    big[i] = static_cast<char>(i * 31);
  Borrowed source(BuildArchive({{"Edit.Bmp", "BM-edit"},
                                {"options.DAT", "[EDIT]"},
                                {"glyph.png", big},
                                {"texture.jpg", ""}}));
  std::unique_ptr<TacSkinConvertor> reader(source.Read());
  EXPECT_EQ(Contents(*reader->OptionsStream), "[EDIT]") << "a lower-case name is the options file too";
  ASSERT_EQ(reader->ImageCount(), 3);
  EXPECT_EQ(reader->ImageItems[0]->Name, "Edit.Bmp");
  EXPECT_TRUE(reader->ImageItems[0]->IsBitmap);
  EXPECT_FALSE(reader->ImageItems[1]->IsBitmap);
  EXPECT_EQ(Contents(reader->ImageItems[1]->Data), big);
  EXPECT_EQ(reader->ImageItems[2]->Data.Size(), 0);
  EXPECT_EQ(reader->FindImage("EDIT.BMP"), reader->ImageItems[0].get());
  EXPECT_EQ(reader->FindImage("edit.bmp"), reader->ImageItems[0].get());
  EXPECT_EQ(reader->FindImage("TEXTURE.JPG"), reader->ImageItems[2].get());
  EXPECT_EQ(reader->FindImage("options.dat"), nullptr);
  EXPECT_EQ(reader->FindImage("missing.bmp"), nullptr);
}

TEST(SkinArchive, StreamsEndingInsideOneReadAheadAreBothRead) {
  // Both zlib streams lie within the first 64 KiB read; the reader must move
  // the source back to the end of the first to find the second.
  Borrowed source(BuildArchive({{"a.bmp", std::string(3000, 'a')}, {"Options.dat", "[B]"}, {"c.bmp", "ccc"}}));
  ASSERT_LT(source.stream.Size(), 65536);
  std::unique_ptr<TacSkinConvertor> reader(source.Read());
  ASSERT_EQ(reader->ImageCount(), 2);
  EXPECT_EQ(Contents(reader->ImageItems[0]->Data), std::string(3000, 'a'));
  EXPECT_EQ(Contents(*reader->OptionsStream), "[B]");
  EXPECT_EQ(Contents(reader->ImageItems[1]->Data), "ccc");
}

TEST(SkinArchive, ASecondOptionsFileReplacesTheFirstAndImagesAreStillFound) {
  Borrowed source(BuildArchive({{"Options.dat", "first"}, {"Options.dat", "second"}, {"last.bmp", "L"}}));
  std::unique_ptr<TacSkinConvertor> reader(source.Read());
  EXPECT_EQ(Contents(*reader->OptionsStream), "second");
  ASSERT_EQ(reader->ImageCount(), 1);
  ASSERT_NE(reader->FindImage("LAST.BMP"), nullptr) << "the look-up runs over the real list";
}

TEST(SkinArchive, ABorrowedSourceReadTwiceStaysUsable) {
  Borrowed source(BuildArchive({{"Options.dat", "[A]"}, {"x.bmp", "xy"}}));
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    source.stream.Seek(5, soBeginning);  // the reader starts from the beginning itself
    std::unique_ptr<TacSkinConvertor> reader(source.Read());
    EXPECT_EQ(reader->ImageCount(), 1);
    reader->Clear();
    EXPECT_EQ(reader->SourceStream(), nullptr);
  }
  // A failing read leaves the borrowed stream alone too.
  TMemoryStream damaged;
  damaged.WriteBuffer("ASZF", 4);
  TacSkinConvertor* reader = new TacSkinConvertor;
  reader->SetSourceStream(&damaged, false);
  EXPECT_THROW(ReadSkinArchive(reader), ESkinArchiveError);
  EXPECT_EQ(reader, nullptr);
  EXPECT_EQ(damaged.Size(), 4);
  EXPECT_EQ(source.stream.Size(), static_cast<std::int64_t>(BuildArchive({{"Options.dat", "[A]"}, {"x.bmp", "xy"}}).size()));
}

struct DamagedCase {
  const char* Name;
  std::string Bytes;
};

std::vector<DamagedCase> DamagedArchives() {
  const ArchiveEntry options{"Options.dat", "[A]"};
  std::string valid = BuildArchive({options, {"b.bmp", "bbbb"}});
  return {
      {"letter case of the magic", BuildArchive({options}, std::nullopt, "asZF")},
      {"upper-case magic", BuildArchive({options}, std::nullopt, "ASZF")},
      {"empty", ""},
      {"magic only", "ASzf"},
      {"negative count", BuildArchive({options}, -1)},
      {"count beyond the entries", BuildArchive({options}, 2)},
      {"huge count", BuildArchive({options}, 0x7FFFFFFF)},
      {"no options file", BuildArchive({{"b.bmp", "bbbb"}})},
      {"no entries", BuildArchive({})},
      {"huge name length", BuildArchive({{"Options.dat", "[A]", std::nullopt, 0x7FFFFFFF}})},
      {"negative name length", BuildArchive({{"Options.dat", "[A]", std::nullopt, -3}})},
      {"name beyond the data", BuildArchive({{"Options.dat", "[A]", std::nullopt, 200}})},
      {"name of more than 1024 bytes", BuildArchive({options, {std::string(1025, 'n'), "x"}})},
      {"huge size", BuildArchive({{"Options.dat", "[A]", 0x7FFFFFFF}})},
      {"negative size", BuildArchive({{"Options.dat", "[A]", -1}})},
      {"size below the data", BuildArchive({options, {"b.bmp", "bbbb", 3}})},
      {"size above the data", BuildArchive({options, {"b.bmp", "bbbb", 5}})},
      {"truncated stream", valid.substr(0, valid.size() - 3)},
      {"not zlib", valid.substr(0, valid.size() - 14) + std::string(14, '\x55')},
  };
}

TEST(SkinArchive, DamagedDataRaisesTheOneMessageAndFreesTheReader) {
  for (const DamagedCase& c : DamagedArchives()) {
    SCOPED_TRACE(c.Name);
    Borrowed source(c.Bytes);
    TacSkinConvertor* reader = new TacSkinConvertor;
    reader->SetSourceStream(&source.stream, false);
    try {
      ReadSkinArchive(reader);
      ADD_FAILURE() << "accepted";
      delete reader;
    } catch (const ESkinArchiveError& e) {
      EXPECT_EQ(e.Message, "Loaded data is not a packed skin file");
      EXPECT_EQ(reader, nullptr);
    }
  }
}

TEST(SkinArchive, LoadsFromAFileAndOwnsItsCopy) {
  ScratchFolder folder;
  std::string bytes = BuildArchive({{"Options.dat", "[F]"}, {"f.bmp", "ff"}});
  WriteFileBytes(folder.File("skin.asz"), FileBytes(bytes.begin(), bytes.end()));

  TacSkinConvertor* reader = nullptr;
  LoadSkinArchive(folder.File("missing.asz"), reader, true);
  EXPECT_EQ(reader, nullptr) << "nothing for a missing file";

  LoadSkinArchive(folder.File("skin.asz"), reader, false);
  ASSERT_NE(reader, nullptr);
  EXPECT_NE(reader->SourceStream(), nullptr);
  EXPECT_EQ(Contents(*reader->OptionsStream), "[F]");
  // A second load into the same reader clears it first; FreeSource drops the copy.
  LoadSkinArchive(folder.File("skin.asz"), reader, true);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->SourceStream(), nullptr);
  EXPECT_EQ(reader->ImageCount(), 1);
  delete reader;

  WriteFileBytes(folder.File("bad.asz"), FileBytes{'A', 'S', 'z', 'f', 0xFF});
  reader = new TacSkinConvertor;
  EXPECT_THROW(LoadSkinArchive(folder.File("bad.asz"), reader, true), ESkinArchiveError);
  EXPECT_EQ(reader, nullptr);
}

}  // namespace
