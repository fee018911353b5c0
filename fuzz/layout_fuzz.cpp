// fuzz-deps: dozuri_design_core dozuri_classes dozuri_system
//
// The layout reader over arbitrary bytes, as the design stage runs it: every
// reading error handled, unknown handlers dropped, names made unique in the
// form, the records read into a staging container and swapped in only when
// the whole layout was read. A load must end normally or with EReadError,
// and a failed load must leave the stage's pages exactly as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/typinfo.h"
#include "design/core/layoutfile.h"
#include "design/core/uniquename.h"

namespace {

class TLayoutFuzzNode : public TComponent {
  DECLARE_CLASS(TLayoutFuzzNode, TComponent)

public:
  explicit TLayoutFuzzNode(TComponent* AOwner) : TComponent(AOwner) {}
  ~TLayoutFuzzNode() override {
    while (!FChildren.empty())
      FChildren.back()->Free();
    SetParent(nullptr);
    SetLink(nullptr);
  }

  AnsiString Caption;
  int Number = 0;
  TLayoutFuzzNode* Link() const { return FLink; }
  void SetLink(TLayoutFuzzNode* Value) {
    if (FLink != nullptr)
      FLink->RemoveFreeNotification(this);
    FLink = Value;
    if (FLink != nullptr)
      FLink->FreeNotification(this);
  }
  TNotifyEvent OnPrint;

  void SetParent(TLayoutFuzzNode* Value) {
    if (FParent != nullptr)
      std::erase(FParent->FChildren, this);
    FParent = Value;
    if (FParent != nullptr)
      FParent->FChildren.push_back(this);
  }
  std::vector<TComponent*> Children() const { return {FChildren.begin(), FChildren.end()}; }

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override { return FParent; }
  void SetParentComponent(TComponent* Value) override { SetParent(dynamic_cast<TLayoutFuzzNode*>(Value)); }
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    for (TLayoutFuzzNode* child : FChildren)
      if (child->Owner() == Root)
        Proc(child);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLink)
      FLink = nullptr;
  }

private:
  TLayoutFuzzNode* FLink = nullptr;
  TLayoutFuzzNode* FParent = nullptr;
  std::vector<TLayoutFuzzNode*> FChildren;
};

class TLayoutFuzzPage : public TLayoutFuzzNode {
  DECLARE_CLASS(TLayoutFuzzPage, TLayoutFuzzNode)

public:
  explicit TLayoutFuzzPage(TComponent* AOwner) : TLayoutFuzzNode(AOwner) {}
};

class TLayoutFuzzText : public TLayoutFuzzNode {
  DECLARE_CLASS(TLayoutFuzzText, TLayoutFuzzNode)

public:
  explicit TLayoutFuzzText(TComponent* AOwner) : TLayoutFuzzNode(AOwner) {}
};

class TLayoutFuzzForm : public TComponent {
  DECLARE_CLASS(TLayoutFuzzForm, TComponent)

public:
  explicit TLayoutFuzzForm(TComponent* AOwner) : TComponent(AOwner) {}
  void PagePrint(TObject* Sender) {}
};

}  // namespace

BEGIN_PUBLISHED(TLayoutFuzzNode)
  PROPERTY(Caption, Caption, Caption),
  PROPERTY(Number, Number, Number).Default(0),
  PROPERTY(Link, Link, SetLink),
  PROPERTY(OnPrint, OnPrint, OnPrint),
END_PUBLISHED

IMPLEMENT_CLASS(TLayoutFuzzPage)
IMPLEMENT_CLASS(TLayoutFuzzText)

BEGIN_PUBLISHED(TLayoutFuzzForm)
  METHOD(PagePrint),
END_PUBLISHED

namespace {

struct TFixture {
  TLayoutFuzzForm* Form = new TLayoutFuzzForm(nullptr);
  TLayoutFuzzNode* Stage = new TLayoutFuzzNode(Form);
  std::vector<TComponent*> Pages;
  std::vector<AnsiString> Names;

  TFixture() {
    Stage->SetName("Stage");
    const char* names[] = {"Report1", "Text1", "Report2"};
    auto* page1 = new TLayoutFuzzPage(Form);
    page1->SetName(names[0]);
    page1->SetParent(Stage);
    auto* text = new TLayoutFuzzText(Form);
    text->SetName(names[1]);
    text->SetParent(page1);
    auto* page2 = new TLayoutFuzzPage(Form);
    page2->SetName(names[2]);
    page2->SetParent(Stage);
    text->SetLink(page2);
    Pages = Stage->Children();
    for (int i = 0; i < Form->ComponentCount(); ++i)
      Names.push_back(Form->Components(i)->Name());
  }
  ~TFixture() { Form->Free(); }

  // A failed load leaves every page, name and reference as it was.
  bool Untouched() const {
    if (Stage->Children() != Pages || Form->ComponentCount() != static_cast<int>(Names.size()))
      return false;
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (Form->Components(i)->Name() != Names[i])
        return false;
    auto* text = dynamic_cast<TLayoutFuzzNode*>(Form->FindComponent("Text1"));
    return text != nullptr && text->Link() == Pages[1];
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static bool registered = false;
  if (!registered) {
    RegisterClasses({TLayoutFuzzPage::StaticClass(), TLayoutFuzzText::StaticClass()});
    registered = true;
  }
  TFixture fixture;
  TMemoryStream stream;
  if (size > 0)
    stream.WriteBuffer(data, static_cast<std::int32_t>(size));
  TReader reader(stream, LayoutBufferSize);
  reader.OnError = [](TReader*, const AnsiString&, bool& handled) { handled = true; };
  reader.OnFindMethod = [](TReader*, const AnsiString&, const TMethodCode*& address, bool& error) {
    if (error) {
      address = nullptr;
      error = false;
    }
  };
  reader.OnSetName = [&fixture](TReader*, TComponent* component, AnsiString& name) {
    MakeUniqueComponentName(fixture.Form, component, name);
  };
  reader.SetPosition(0);
  TLayoutFuzzNode staging(nullptr);
  try {
    ReplaceWithLayout(reader, fixture.Form, fixture.Stage, &staging, fixture.Pages);
  } catch (EReadError&) {
    if (!fixture.Untouched())
      std::abort();
    return 0;
  }
  // What was read is the stage's now; the staging container is empty again.
  if (!staging.Children().empty())
    std::abort();
  return 0;
}
