// Small components that nest the way report pages do: a page holds bands,
// a band holds texts; a text may refer to another component and carry an
// event handler of the form. A form publishes the handlers; a node without
// a registered class serves as the stage and as the staging container.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/typinfo.h"

class TTestNode : public TComponent {
  DECLARE_CLASS(TTestNode, TComponent)

public:
  explicit TTestNode(TComponent* AOwner) : TComponent(AOwner) {}
  // Children go with their parent, as controls do.
  ~TTestNode() override;

  AnsiString Caption;
  int Number = 0;
  TTestNode* Link() const { return FLink; }
  void SetLink(TTestNode* Value);
  TNotifyEvent OnPrint;

  TTestNode* Parent() const { return FParent; }
  void SetParent(TTestNode* Value);
  const std::vector<TTestNode*>& Children() const { return FChildren; }
  std::vector<TComponent*> ChildComponents() const { return {FChildren.begin(), FChildren.end()}; }

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override { return FParent; }
  void SetParentComponent(TComponent* Value) override { SetParent(dynamic_cast<TTestNode*>(Value)); }
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  int LoadedCalls = 0;
  TTestNode* LinkAtLoaded = nullptr;  // what Link was when Loaded ran

private:
  TTestNode* FLink = nullptr;
  TTestNode* FParent = nullptr;
  std::vector<TTestNode*> FChildren;
};

class TTestPage : public TTestNode {
  DECLARE_CLASS(TTestPage, TTestNode)

public:
  explicit TTestPage(TComponent* AOwner) : TTestNode(AOwner) {}
};

class TTestBand : public TTestNode {
  DECLARE_CLASS(TTestBand, TTestNode)

public:
  explicit TTestBand(TComponent* AOwner) : TTestNode(AOwner) {}
};

class TTestText : public TTestNode {
  DECLARE_CLASS(TTestText, TTestNode)

public:
  explicit TTestText(TComponent* AOwner) : TTestNode(AOwner) {}
};

// Never registered: the reader cannot find it.
class TTestStranger : public TTestNode {
  DECLARE_CLASS(TTestStranger, TTestNode)

public:
  explicit TTestStranger(TComponent* AOwner) : TTestNode(AOwner) {}
};

class TTestForm : public TComponent {
  DECLARE_CLASS(TTestForm, TComponent)

public:
  explicit TTestForm(TComponent* AOwner) : TComponent(AOwner) {}

  void PagePrint(TObject* Sender) { Printed.push_back(Sender); }
  void TextPrint(TObject* Sender) { Printed.push_back(Sender); }

  std::vector<TObject*> Printed;
};

// Registers the page, band and text classes for reading (once).
void RegisterTestLayoutClasses();

// Bytes of a stream, and a memory stream over bytes.
std::string StreamBytes(TStream& Stream);
std::unique_ptr<TMemoryStream> BytesStream(const std::string& Bytes);
// "TPF0" and one component from its text form (object ... end).
std::string RecordFromText(const std::string& Text);
