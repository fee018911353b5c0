// fuzz-deps: dozuri_classes dozuri_system
//
// The component reader over arbitrary bytes: a root read with OnError
// handling every error, the same read without it, a layout-style read of
// several records, and the binary-to-text conversion (and the parse of what
// it printed). Each must end normally or with EReadError.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "classlib/classes/collection.h"
#include "classlib/classes/component.h"
#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/strings.h"
#include "classlib/classes/typinfo.h"

namespace {

enum TFuzzKind { fkOne, fkTwo, fkThree };
enum TFuzzFlag { ffA, ffB, ffC };

}  // namespace

DOZURI_ENUM(TFuzzKind, "fkOne", "fkTwo", "fkThree");
DOZURI_ENUM(TFuzzFlag, "ffA", "ffB", "ffC");

namespace {

class TFuzzItem : public TCollectionItem {
  DECLARE_CLASS(TFuzzItem, TCollectionItem)

public:
  explicit TFuzzItem(TCollection* Collection) : TCollectionItem(Collection) {}
  AnsiString Caption;
  int Value = 0;
};

class TFuzzFrame : public TPersistent {
  DECLARE_CLASS(TFuzzFrame, TPersistent)

public:
  TFuzzFrame() = default;
  int Width = 1;
  char Letter = 'a';
};

class TFuzzComponent : public TComponent {
  DECLARE_CLASS(TFuzzComponent, TComponent)

public:
  explicit TFuzzComponent(TComponent* AOwner)
      : TComponent(AOwner),
        FFrame(std::make_unique<TFuzzFrame>()),
        FLines(std::make_unique<TStringList>()),
        FItems(std::make_unique<TCollection>(TFuzzItem::StaticClass())) {}
  ~TFuzzComponent() override { SetBuddy(nullptr); }

  int Number = 0;
  std::int64_t Big = 0;
  bool Flag = false;
  TFuzzKind Kind = fkOne;
  TSet<TFuzzFlag> Flags;
  long double Ratio = 0;
  float Factor = 0;
  double When = 0;
  Currency Money;
  AnsiString Text;
  std::u16string Wide;
  TNotifyEvent OnChange;
  TFuzzFrame* Frame() const { return FFrame.get(); }
  void SetFrame(TFuzzFrame* Value) {
    if (Value != nullptr) {
      FFrame->Width = Value->Width;
      FFrame->Letter = Value->Letter;
    }
  }
  TStringList* Lines() const { return FLines.get(); }
  void SetLines(TStringList* Value) { FLines->Assign(Value); }
  TCollection* Items() const { return FItems.get(); }
  void SetItems(TCollection* Value) { FItems->Assign(Value); }
  TFuzzComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TFuzzComponent* Value) {
    if (FBuddy != nullptr)
      FBuddy->RemoveFreeNotification(this);
    FBuddy = Value;
    if (FBuddy != nullptr)
      FBuddy->FreeNotification(this);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FBuddy)
      FBuddy = nullptr;
  }
  void Handler(TObject* Sender) {}

  void DefineProperties(TFiler& Filer) override {
    TComponent::DefineProperties(Filer);
    Filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { Data = static_cast<int>(s.Size()); }, nullptr, false);
    Filer.DefineProperty(
        "Values",
        [this](TReader& r) {
          r.ReadListBegin();
          while (!r.EndOfList())
            Sum += r.ReadFloat();
          r.ReadListEnd();
        },
        nullptr, false);
  }
  int Data = 0;
  long double Sum = 0;

private:
  std::unique_ptr<TFuzzFrame> FFrame;
  std::unique_ptr<TStringList> FLines;
  std::unique_ptr<TCollection> FItems;
  TFuzzComponent* FBuddy = nullptr;
};

// Children nest under the component that holds them in the stream.
class TFuzzPanel : public TFuzzComponent {
  DECLARE_CLASS(TFuzzPanel, TFuzzComponent)

public:
  explicit TFuzzPanel(TComponent* AOwner) : TFuzzComponent(AOwner) {}
  TComponent* GetChildOwner() override { return this; }
};

}  // namespace

BEGIN_PUBLISHED(TFuzzItem)
  PROPERTY(Caption, Caption, Caption),
  PROPERTY(Value, Value, Value),
END_PUBLISHED

BEGIN_PUBLISHED(TFuzzFrame)
  PROPERTY(Width, Width, Width).Default(1),
  PROPERTY(Letter, Letter, Letter),
END_PUBLISHED

BEGIN_PUBLISHED(TFuzzComponent)
  PROPERTY(Number, Number, Number),
  PROPERTY(Big, Big, Big),
  PROPERTY(Flag, Flag, Flag).Default(false),
  PROPERTY(Kind, Kind, Kind).Default(fkOne),
  PROPERTY(Flags, Flags, Flags),
  PROPERTY(Ratio, Ratio, Ratio),
  PROPERTY(Factor, Factor, Factor),
  PROPERTY(When, When, When).DateTime(),
  PROPERTY(Money, Money, Money),
  PROPERTY(Text, Text, Text),
  PROPERTY(Wide, Wide, Wide),
  PROPERTY(Frame, Frame, SetFrame),
  PROPERTY(Lines, Lines, SetLines),
  PROPERTY(Items, Items, SetItems),
  PROPERTY(Buddy, Buddy, SetBuddy),
  PROPERTY(OnChange, OnChange, OnChange),
  METHOD(Handler),
END_PUBLISHED

IMPLEMENT_CLASS(TFuzzPanel)

namespace {

void ReadRoot(const std::uint8_t* data, std::size_t size, bool tolerant) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<std::int32_t>(size));
  stream.SetPosition(0);
  TFuzzPanel root(nullptr);
  TReader reader(stream);
  if (tolerant)
    reader.OnError = [](TReader*, const AnsiString&, bool& handled) { handled = true; };
  try {
    reader.ReadRootComponent(&root);
  } catch (EReadError&) {
  }
}

void ReadLayout(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<std::int32_t>(size));
  stream.SetPosition(0);
  TFuzzPanel owner(nullptr);
  TReader reader(stream);
  reader.OnError = [](TReader*, const AnsiString&, bool& handled) { handled = true; };
  reader.OnSetName = [&owner](TReader*, TComponent*, AnsiString& name) {
    if (owner.FindComponent(name) != nullptr)
      name.clear();
  };
  try {
    reader.ReadComponents(&owner, &owner, nullptr);
  } catch (EReadError&) {
  }
}

void ToText(const std::uint8_t* data, std::size_t size) {
  TMemoryStream input;
  input.WriteBuffer(data, static_cast<std::int32_t>(size));
  input.SetPosition(0);
  TMemoryStream output;
  try {
    ObjectBinaryToText(input, output);
  } catch (EReadError&) {
    return;
  }
  // The printed text goes through the parser too; names from a damaged
  // stream may not be identifiers, so it may refuse, but only with EReadError.
  output.SetPosition(0);
  TMemoryStream binary;
  try {
    ObjectTextToBinary(output, binary);
  } catch (EReadError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = [] {
    RegisterClasses({TFuzzComponent::StaticClass(), TFuzzPanel::StaticClass()});
    return true;
  }();
  (void)registered;
  if (size > (1u << 20))
    return 0;
  ReadRoot(data, size, true);
  ReadRoot(data, size, false);
  ReadLayout(data, size);
  ToText(data, size);
  return 0;
}
