// Currency properties keep their exact 1/10000 amount through the binary
// format, its text form and reads of other number tags.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"

namespace {

class TPriceTag : public TComponent {
  DECLARE_CLASS(TPriceTag, TComponent)

public:
  explicit TPriceTag(TComponent* AOwner) : TComponent(AOwner) {}

  Currency Amount;
};

}  // namespace

BEGIN_PUBLISHED(TPriceTag)
  PROPERTY(Amount, Amount, Amount),
END_PUBLISHED

namespace {

std::unique_ptr<TMemoryStream> WriteTag(std::int64_t scaled) {
  TPriceTag tag(nullptr);
  tag.SetName("Tag1");
  tag.Amount = Currency::FromScaled(scaled);
  auto stream = std::make_unique<TMemoryStream>();
  TWriter writer(*stream);
  writer.WriteRootComponent(&tag);
  writer.FlushBuffer();
  stream->SetPosition(0);
  return stream;
}

std::int64_t ReadTag(TStream& stream) {
  TPriceTag tag(nullptr);
  TReader reader(stream);
  reader.ReadRootComponent(&tag);
  return tag.Amount.Scaled();
}

std::unique_ptr<TMemoryStream> ViaText(TStream& binary) {
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  text.SetPosition(0);
  auto back = std::make_unique<TMemoryStream>();
  ObjectTextToBinary(text, *back);
  back->SetPosition(0);
  return back;
}

// Every amount from -0.2 to 0.2, and some far from zero: among them are many
// whose 80-bit quotient by 10000, multiplied back, lies just below the whole
// number (truncating that loses one unit).
std::vector<std::int64_t> Amounts() {
  std::vector<std::int64_t> amounts;
  for (std::int64_t s = -2000; s <= 2000; ++s)
    amounts.push_back(s);
  for (std::int64_t s : {1999998LL, -1999993LL, 123456789012345LL, 922337203685477580LL, -922337203685477580LL})
    amounts.push_back(s);
  return amounts;
}

TEST(CurrencyProperty, BinaryRoundTripKeepsEveryAmount) {
  for (std::int64_t scaled : Amounts()) {
    auto stream = WriteTag(scaled);
    EXPECT_EQ(ReadTag(*stream), scaled) << scaled;
  }
}

TEST(CurrencyProperty, TextRoundTripKeepsEveryAmount) {
  for (std::int64_t scaled : Amounts()) {
    auto binary = WriteTag(scaled);
    auto back = ViaText(*binary);
    EXPECT_EQ(ReadTag(*back), scaled) << scaled;
  }
}

std::unique_ptr<TMemoryStream> FromText(const std::string& text) {
  TStringStream input(text);
  auto output = std::make_unique<TMemoryStream>();
  ObjectTextToBinary(input, *output);
  output->SetPosition(0);
  return output;
}

struct OtherTagCase {
  const char* value;
  std::int64_t scaled;
};
void PrintTo(const OtherTagCase& c, std::ostream* out) { *out << c.value; }

class CurrencyFromOtherTags : public testing::TestWithParam<OtherTagCase> {};

TEST_P(CurrencyFromOtherTags, RoundsToTheNearestUnit) {
  auto stream = FromText(std::string("object Tag1: TPriceTag\n  Amount = ") + GetParam().value + "\nend\n");
  EXPECT_EQ(ReadTag(*stream), GetParam().scaled);
}

const OtherTagCase kOtherTags[] = {
    {"12", 120000},          // an integer
    {"0.0003", 3},           // an 80-bit float
    {"1.0007", 10007},
    {"-199.9998", -1999998},
    {"0.00005", 0},          // half: to even
    {"0.00015", 2},
    {"2.5s", 25000},         // a single
};
INSTANTIATE_TEST_SUITE_P(Cases, CurrencyFromOtherTags, testing::ValuesIn(kOtherTags));

TEST(CurrencyProperty, AmountBeyondTheRangeIsABadValue) {
  auto stream = FromText("object Tag1: TPriceTag\n  Amount = 1e300\nend\n");
  EXPECT_THROW(ReadTag(*stream), EReadError);
}

TEST(CurrencyProperty, TextAmountBeyondTheRangeIsRefused) {
  TStringStream input("object Tag1: TPriceTag\n  Amount = 1e300c\nend\n");
  TMemoryStream output;
  EXPECT_THROW(ObjectTextToBinary(input, output), EReadError);
}

}  // namespace
