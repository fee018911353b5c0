// Small component classes that exercise every kind of published property,
// ownership with parents, events and references.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/collection.h"
#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/classes/strings.h"
#include "classlib/classes/typinfo.h"

enum TSampleKind { skNone, skLabel, skShape };
DOZURI_ENUM(TSampleKind, "skNone", "skLabel", "skShape");
enum TSampleOption { soBold, soItalic, soFramed };
DOZURI_ENUM(TSampleOption, "soBold", "soItalic", "soFramed");
DOZURI_SET(TSampleOptions, TSampleOption);

class TSample;

// A nested persistent object (streamed as Frame.Width, Frame.DrawTop).
class TSampleFrame : public TPersistent {
  DECLARE_CLASS(TSampleFrame, TPersistent)

public:
  TSampleFrame() = default;
  void Assign(TPersistent* Source) override;

  int Width = 1;
  bool DrawTop = false;
};

class TSampleItem : public TCollectionItem {
  DECLARE_CLASS(TSampleItem, TCollectionItem)

public:
  explicit TSampleItem(TCollection* Collection) : TCollectionItem(Collection) {}

  AnsiString Caption;
  int Value = 0;
  TSample* Target = nullptr;  // a reference, for fix-ups inside collections
};

// A component with one property of every kind, children with a parent, and
// a reference to another component.
class TSample : public TComponent {
  DECLARE_CLASS(TSample, TComponent)

public:
  explicit TSample(TComponent* AOwner);
  ~TSample() override;

  int Small = 0;
  int Medium = 0;
  int Large = 0;
  int Negative = 0;
  AnsiString Text;
  AnsiString LongText;
  bool Flag = false;
  TSampleKind Kind = skNone;
  TSampleOptions Options;
  long double Ratio = 0;
  float Factor = 0;
  std::int64_t Big = 0;
  TSampleFrame* Frame() const { return FFrame.get(); }
  void SetFrame(TSampleFrame* Value) { FFrame->Assign(Value); }
  TStringList* Lines() const { return FLines.get(); }
  void SetLines(TStringList* Value) { FLines->Assign(Value); }
  TOwnedCollection* Items() const { return FItems.get(); }
  void SetItems(TOwnedCollection* Value) { FItems->Assign(Value); }
  TSample* Buddy() const { return FBuddy; }
  void SetBuddy(TSample* Value);
  TNotifyEvent OnChange;

  // Parent links (the way controls nest in containers).
  TSample* Parent() const { return FParent; }
  void SetParent(TSample* Value);
  const std::vector<TSample*>& Children() const { return FChildren; }

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override { return FParent; }
  void SetParentComponent(TComponent* Value) override { SetParent(dynamic_cast<TSample*>(Value)); }
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // "Data": binary bytes, written when not empty.
  void DefineProperties(TFiler& Filer) override;

  std::string Data;
  int LoadedCalls = 0;
  TSample* BuddyAtLoaded = nullptr;  // what Buddy was when Loaded ran

private:
  std::unique_ptr<TSampleFrame> FFrame;
  std::unique_ptr<TStringList> FLines;
  std::unique_ptr<TOwnedCollection> FItems;
  TSample* FBuddy = nullptr;
  TSample* FParent = nullptr;
  std::vector<TSample*> FChildren;
};

// A root form: publishes event handlers and one field class.
class TSampleForm : public TSample {
  DECLARE_CLASS(TSampleForm, TSample)

public:
  explicit TSampleForm(TComponent* AOwner) : TSample(AOwner) {}

  void ButtonClick(TObject* Sender) { Clicks.push_back(Sender); }
  void OtherClick(TObject* Sender) {}
  // A published method whose signature is not an event's of TSample.
  void Print(TObject* Sender, bool& Handled) {}

  std::vector<TObject*> Clicks;
};

// Known to the reader only as a published field class of TSampleForm.
class TFieldOnly : public TSample {
  DECLARE_CLASS(TFieldOnly, TSample)

public:
  explicit TFieldOnly(TComponent* AOwner) : TSample(AOwner) {}
};

// Registered by the tests that read; never registered: TUnregistered.
class TUnregistered : public TSample {
  DECLARE_CLASS(TUnregistered, TSample)

public:
  explicit TUnregistered(TComponent* AOwner) : TSample(AOwner) {}
};

// Registers TSample and TSampleForm for reading (once).
void RegisterSampleClasses();
