// TStrings streams itself as the defined property "Strings".
#include <gtest/gtest.h>

#include "classlib/classes/component.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/strings.h"
#include "classlib/classes/typinfo.h"
#include "classlib/classes/writer.h"

namespace {

class TLinesHolder : public TComponent {
  DECLARE_CLASS(TLinesHolder, TComponent)

public:
  explicit TLinesHolder(TComponent* AOwner) : TComponent(AOwner) {}
  ~TLinesHolder() override { delete FLines; }
  TStrings* GetLines() { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }

  TStringList* FLines = new TStringList;
};

BEGIN_PUBLISHED(TLinesHolder)
PROPERTY(Lines, GetLines, SetLines),
END_PUBLISHED

std::string Written(TLinesHolder& holder) {
  TStringStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(&holder);
  }
  return stream.DataString();
}

}  // namespace

TEST(StringsStreaming, WritesAListOfStringsUnderTheDottedName) {
  TLinesHolder holder(nullptr);
  holder.SetName("Holder");
  holder.FLines->Add("a");
  holder.FLines->Add("Çğ");
  std::string bytes = Written(holder);
  std::string expected = std::string("\x0DLines.Strings") + '\x01' + "\x06\x01" + "a" + "\x06\x02" + "Çğ" + '\x00';
  EXPECT_NE(bytes.find(expected), std::string::npos);
}

TEST(StringsStreaming, AnEmptyListIsNotWritten) {
  TLinesHolder holder(nullptr);
  holder.SetName("Holder");
  EXPECT_EQ(Written(holder).find("Lines.Strings"), std::string::npos);
}

TEST(StringsStreaming, ReadsTheLinesBackReplacingWhatWasThere) {
  TLinesHolder holder(nullptr);
  holder.SetName("Holder");
  holder.FLines->SetText("one\r\n\r\nthree with blanks\r\n");
  TStringStream stream(Written(holder));

  TLinesHolder copy(nullptr);
  copy.FLines->Add("stale");
  TReader reader(stream);
  reader.ReadRootComponent(&copy);
  EXPECT_TRUE(copy.FLines->Equals(holder.FLines));
}
