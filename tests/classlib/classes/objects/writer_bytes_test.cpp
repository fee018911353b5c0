// The writer's exact bytes for a component with every kind of property,
// computed by hand from the binary component format, and the same bytes
// read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "fixtures.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Appends a short string: length byte + bytes.
void Str(Bytes& b, const std::string& s) {
  b.push_back(static_cast<unsigned char>(s.size()));
  b.insert(b.end(), s.begin(), s.end());
}
void Raw(Bytes& b, std::initializer_list<unsigned char> bytes) { b.insert(b.end(), bytes); }

Bytes ExpectedSampleBytes() {
  Bytes b;
  Raw(b, {'T', 'P', 'F', '0'});          // signature
  Str(b, "TSample");                     // class name (no prefix: no flags)
  Str(b, "Sample1");                     // component name
  // Name is not stored, Tag 0 is its default: TComponent writes nothing.
  Str(b, "Small");     Raw(b, {0x02, 0x64});                          // vaInt8 100
  Str(b, "Medium");    Raw(b, {0x03, 0xE8, 0x03});                    // vaInt16 1000
  Str(b, "Large");     Raw(b, {0x04, 0xA0, 0x86, 0x01, 0x00});        // vaInt32 100000
  Str(b, "Negative");  Raw(b, {0x02, 0xFE});                          // vaInt8 -2
  Str(b, "Text");      Raw(b, {0x06}); Str(b, "Ab");                  // vaString
  Str(b, "LongText");  Raw(b, {0x0C, 0x2C, 0x01, 0x00, 0x00});        // vaLString, 300 bytes
  b.insert(b.end(), 300, 'x');
  Str(b, "Flag");      Raw(b, {0x09});                                // vaTrue
  Str(b, "Kind");      Raw(b, {0x07}); Str(b, "skShape");             // vaIdent
  Str(b, "Options");   Raw(b, {0x0B}); Str(b, "soBold"); Str(b, "soFramed"); Raw(b, {0x00});  // vaSet
  Str(b, "Ratio");     Raw(b, {0x05, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F});  // vaExtended 1.5
  Str(b, "Factor");    Raw(b, {0x0F, 0x00, 0x00, 0x80, 0x3E});        // vaSingle 0.25
  Str(b, "Big");       Raw(b, {0x13, 0x00, 0xF2, 0x05, 0x2A, 0x01, 0x00, 0x00, 0x00});  // vaInt64 5000000000
  Str(b, "Frame.Width");   Raw(b, {0x02, 0x03});                      // nested persistent
  Str(b, "Frame.DrawTop"); Raw(b, {0x09});
  Str(b, "Lines.Strings"); Raw(b, {0x01, 0x06}); Str(b, "a"); Raw(b, {0x06}); Str(b, "b"); Raw(b, {0x00});  // vaList
  Str(b, "Items");     Raw(b, {0x0E, 0x01});                          // vaCollection, item 1: vaList
  Str(b, "Caption");   Raw(b, {0x06}); Str(b, "c");
  Str(b, "Value");     Raw(b, {0x02, 0x00});                          // no default: always written
  Raw(b, {0x00, 0x00});                                               // end of item, end of collection
  Raw(b, {0x00});      // end of properties (Buddy nil, OnChange unassigned: not written)
  Raw(b, {0x00});      // end of children
  return b;
}

void FillSample(TSample& s) {
  s.SetName("Sample1");
  s.Small = 100;
  s.Medium = 1000;
  s.Large = 100000;
  s.Negative = -2;
  s.Text = "Ab";
  s.LongText = std::string(300, 'x');
  s.Flag = true;
  s.Kind = skShape;
  s.Options = {soBold, soFramed};
  s.Ratio = 1.5L;
  s.Factor = 0.25f;
  s.Big = 5000000000LL;
  s.Frame()->Width = 3;
  s.Frame()->DrawTop = true;
  s.Lines()->Add("a");
  s.Lines()->Add("b");
  auto* item = static_cast<TSampleItem*>(s.Items()->Add());
  item->Caption = "c";
}

Bytes StreamBytes(TMemoryStream& stream) {
  auto* p = static_cast<unsigned char*>(stream.Memory());
  return Bytes(p, p + stream.Size());
}

TEST(WriterBytes, SmallComponentWithEveryPropertyKind) {
  TSample sample(nullptr);
  FillSample(sample);
  TMemoryStream stream;
  {
    TWriter writer(stream, 4096);
    writer.WriteRootComponent(&sample);
  }
  EXPECT_EQ(StreamBytes(stream), ExpectedSampleBytes());
}

TEST(WriterBytes, SameBytesReadBackIntoEqualValues) {
  RegisterSampleClasses();
  Bytes bytes = ExpectedSampleBytes();
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  TSample sample(nullptr);
  {
    TReader reader(stream, 4096);
    reader.ReadRootComponent(&sample);
  }
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(sample.Name(), "Sample1");
  EXPECT_EQ(sample.Small, 100);
  EXPECT_EQ(sample.Medium, 1000);
  EXPECT_EQ(sample.Large, 100000);
  EXPECT_EQ(sample.Negative, -2);
  EXPECT_EQ(sample.Text, "Ab");
  EXPECT_EQ(sample.LongText, std::string(300, 'x'));
  EXPECT_TRUE(sample.Flag);
  EXPECT_EQ(sample.Kind, skShape);
  EXPECT_EQ(sample.Options, (TSampleOptions{soBold, soFramed}));
  EXPECT_EQ(sample.Ratio, 1.5L);
  EXPECT_EQ(sample.Factor, 0.25f);
  EXPECT_EQ(sample.Big, 5000000000LL);
  EXPECT_EQ(sample.Frame()->Width, 3);
  EXPECT_TRUE(sample.Frame()->DrawTop);
  ASSERT_EQ(sample.Lines()->Count(), 2);
  EXPECT_EQ(sample.Lines()->Strings(0), "a");
  EXPECT_EQ(sample.Lines()->Strings(1), "b");
  ASSERT_EQ(sample.Items()->Count(), 1);
  EXPECT_EQ(static_cast<TSampleItem*>(sample.Items()->Items(0))->Caption, "c");
  EXPECT_EQ(sample.LoadedCalls, 1);
  EXPECT_FALSE(sample.ComponentState().Contains(csLoading));
  EXPECT_FALSE(sample.ComponentState().Contains(csReading));
}

// Integers take the smallest of the three sizes; beyond 32 bits vaInt64.
TEST(WriterBytes, IntegerSizes) {
  struct Case {
    std::int64_t value;
    Bytes bytes;
  };
  const Case cases[] = {
      {0, {0x02, 0x00}},
      {127, {0x02, 0x7F}},
      {-128, {0x02, 0x80}},
      {128, {0x03, 0x80, 0x00}},
      {-129, {0x03, 0x7F, 0xFF}},
      {32767, {0x03, 0xFF, 0x7F}},
      {32768, {0x04, 0x00, 0x80, 0x00, 0x00}},
      {-32769, {0x04, 0xFF, 0x7F, 0xFF, 0xFF}},
      {2147483647, {0x04, 0xFF, 0xFF, 0xFF, 0x7F}},
      {2147483648LL, {0x13, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00}},
  };
  for (const Case& c : cases) {
    TMemoryStream stream;
    {
      TWriter writer(stream);
      writer.WriteInteger(c.value);
    }
    EXPECT_EQ(StreamBytes(stream), c.bytes) << c.value;
    stream.SetPosition(0);
    TReader reader(stream);
    EXPECT_EQ(reader.ReadInt64(), c.value);
  }
}

TEST(WriterBytes, StringsUpTo255AreShortBeyondLong) {
  for (std::size_t length : {0u, 1u, 255u, 256u, 5000u}) {
    TMemoryStream stream;
    {
      TWriter writer(stream);
      writer.WriteString(std::string(length, 'q'));
    }
    Bytes bytes = StreamBytes(stream);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], length <= 255 ? vaString : vaLString) << length;
    EXPECT_EQ(bytes.size(), length + (length <= 255 ? 2 : 5)) << length;
    stream.SetPosition(0);
    TReader reader(stream);
    EXPECT_EQ(reader.ReadString(), std::string(length, 'q'));
  }
}

// Values past the 4096-byte buffer come out whole and in order.
TEST(WriterBytes, BufferFlushesAcrossItsSize) {
  TMemoryStream stream;
  {
    TWriter writer(stream, 4096);
    for (int i = 0; i < 3000; ++i)
      writer.WriteInteger(i);
    // 128 values of 2 bytes, 2872 of 3; the stream holds whole buffers so far.
    EXPECT_EQ(writer.Position(), 8872);
    EXPECT_EQ(stream.Size(), 8192);
  }
  EXPECT_EQ(stream.Size(), 8872);
  stream.SetPosition(0);
  TReader reader(stream, 4096);
  for (int i = 0; i < 3000; ++i)
    ASSERT_EQ(reader.ReadInteger(), i);
}

}  // namespace
