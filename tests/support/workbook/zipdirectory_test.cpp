// The zip reader: stored and deflated entries come back whole; every damaged,
// encrypted, zip64 or oversized archive is refused with its own message.
#include <gtest/gtest.h>

#include "support/workbook/workbookerror.h"
#include "support/workbook/zipdirectory.h"
#include "tests/support/workbook/testzip.h"

using workbook::TZipArchive;

namespace {

std::string ZipWithSampleText(bool deflate, std::uint16_t flags = 0, bool badCrc = false) {
  return testzip::BuildZip({{"a.txt", "İçerik metni, içerik metni, içerik metni.", deflate, flags, badCrc},
                            {"Klasor/B.XML", "<x/>", !deflate}});
}

std::string ZipRefusalOf(const std::string& zip, std::uint64_t limit = TZipArchive::DefaultEntryLimit) {
  try {
    TZipArchive archive(zip, limit);
    for (const auto& entry : archive.Entries())
      archive.Extract(entry);
  } catch (const EWorkbookError& error) {
    return error.Message;
  }
  return "";
}

}  // namespace

TEST(ZipDirectory, StoredAndDeflatedEntriesComeBackWhole) {
  for (bool deflate : {false, true}) {
    const std::string zip = ZipWithSampleText(deflate);
    TZipArchive archive(zip);
    ASSERT_EQ(archive.Entries().size(), 2u);
    EXPECT_EQ(archive.Extract(*archive.Find("a.txt")), "İçerik metni, içerik metni, içerik metni.");
    // Part names are found without regard to the case of ASCII letters.
    ASSERT_NE(archive.Find("klasor/b.xml"), nullptr);
    EXPECT_EQ(archive.Extract(*archive.Find("klasor/b.xml")), "<x/>");
    EXPECT_EQ(archive.Find("c.txt"), nullptr);
  }
}

TEST(ZipDirectory, AnEmptyEntryAndAnArchiveComment) {
  std::string zip = testzip::BuildZip({{"bos", "", true}, {"bos2", "", false}});
  zip[zip.size() - 2] = 3;  // comment length
  zip += "abc";
  TZipArchive archive(zip);
  EXPECT_EQ(archive.Extract(*archive.Find("bos")), "");
  EXPECT_EQ(archive.Extract(*archive.Find("bos2")), "");
}

TEST(ZipDirectory, BadArchivesAreRefusedWithTheirReason) {
  const std::string good = ZipWithSampleText(true);
  std::string zip64 = good;
  zip64[zip64.size() - 12] = zip64[zip64.size() - 11] = char(0xFF);  // entry count 0xFFFF
  std::string badMethod = testzip::BuildZip({{"a", "x", false}});
  badMethod[8] = 12;  // local header method
  badMethod[badMethod.size() - 22 - 1 - 46 + 10] = 12;  // central header method
  std::string pastEnd = good;
  pastEnd[pastEnd.size() - 6] = char(0x7F);  // directory offset beyond the file
  const struct {
    const char* what;
    std::string zip;
    const char* reason;
  } cases[] = {
      {"text", "Bu bir çalışma kitabı değil, yalnızca düz metin.", "değil"},
      {"empty", "", "değil"},
      {"first bytes only", good.substr(0, 40), "eksik ya da bozuk"},
      {"end record cut", good.substr(0, good.size() - 5), "eksik ya da bozuk"},
      {"directory offset past its end", pastEnd, "eksik ya da bozuk"},
      {"encrypted", ZipWithSampleText(true, 0x0001), "şifreli"},
      {"zip64", zip64, "zip64"},
      {"bad crc", ZipWithSampleText(true, 0, true), "sağlama toplamı"},
      {"bad crc stored", ZipWithSampleText(false, 0, true), "sağlama toplamı"},
      {"unknown method", badMethod, "sıkıştırma yöntemi"},
  };
  for (const auto& c : cases)
    EXPECT_NE(ZipRefusalOf(c.zip).find(c.reason), std::string::npos) << c.what << ": " << ZipRefusalOf(c.zip);
}

TEST(ZipDirectory, DamagedDeflateDataIsRefused) {
  std::string zip = testzip::BuildZip({{"a.txt", std::string(5000, 'q') + "son", true}});
  // The deflated data starts after the 30-byte local header and the name.
  for (std::size_t i = 35; i < 45; ++i)
    zip[i] = char(0xFF);
  EXPECT_NE(ZipRefusalOf(zip), "");
}

TEST(ZipDirectory, AnEntryPastTheLimitIsNotUnpacked) {
  const std::string zip = testzip::BuildZip({{"buyuk.xml", std::string(100000, 'a'), true}});
  EXPECT_NE(ZipRefusalOf(zip, 99999).find("kadar büyük"), std::string::npos);
  EXPECT_EQ(ZipRefusalOf(zip, 100000), "");
}

TEST(ZipDirectory, AnEntryLongerThanItsDeclaredSizeIsRefused) {
  std::string zip = testzip::BuildZip({{"a.txt", std::string(3000, 'z'), true}});
  // Declare 2999 bytes in the central directory: inflating must not overrun.
  const std::size_t central = zip.size() - 22 - (46 + 5);
  zip[central + 24] = char(2999 & 0xFF);
  zip[central + 25] = char(2999 >> 8);
  EXPECT_NE(ZipRefusalOf(zip).find("bozuk"), std::string::npos);
}
