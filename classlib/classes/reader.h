// TReader: reads components and values in the binary component format.
//
// Reads go through a buffer (4096 bytes by default); destroying the reader
// puts the stream back at the reader's logical position.
//
// Errors. Without OnError the first error raises EReadError. With OnError,
// an error the hook marks handled is skipped: an unknown property or a bad
// value leaves the property as it was and the component keeps the others; a
// component whose class cannot be found, or whose creation or naming fails,
// is skipped with everything nested in it. Damage to the stream itself
// (truncation, an unknown tag, a length beyond the end, nesting deeper than
// MaxDepth) always raises EReadError: what the failed read had built is
// freed, and the reader never loops, crashes or allocates beyond the stream.
//
// References. A component reference is stored by name and resolved after
// the whole read (FixupReferences), first among the components this read
// created, by the name they had in the stream (so a component renamed while
// reading, e.g. by OnSetName, is still found), then among the lookup root's
// components. Loaded runs for every component read after the fix-ups.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/classes/events.h"
#include "classlib/classes/filer.h"
#include "classlib/classes/typinfo.h"
#include "classlib/system/currency.h"

class TCollection;
class TReader;

DOZURI_EVENT(TReaderError, void(TReader* Reader, const AnsiString& Message, bool& Handled));
DOZURI_EVENT(TFindMethodEvent,
             void(TReader* Reader, const AnsiString& MethodName, const TMethodCode*& Address, bool& Error));
DOZURI_EVENT(TSetNameEvent, void(TReader* Reader, TComponent* Component, AnsiString& Name));
DOZURI_EVENT(TCreateComponentEvent, void(TReader* Reader, TClass ComponentClass, TComponent*& Component));
DOZURI_EVENT(TReferenceNameEvent, void(TReader* Reader, AnsiString& Name));

using TReadComponentsProc = std::function<void(TComponent* Component)>;

class TReader : public TFiler {
public:
  // Deepest nesting of components, lists, collections and dotted paths.
  static constexpr int MaxDepth = 64;

  explicit TReader(TStream& Stream, int BufSize = 4096);
  ~TReader() override;

  void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;
  // Puts the stream back at the logical position and empties the buffer.
  void FlushBuffer() override;

  std::int64_t Position() const;
  void SetPosition(std::int64_t Value);
  // Exactly Count bytes or EReadError "Stream read error".
  void Read(void* Buf, int Count);

  // Raises EReadError "Invalid stream format" unless the next bytes are "TPF0".
  void ReadSignature();
  void ReadPrefix(TFilerFlags& Flags, int& AChildPos);
  // Reads Root (created from the stream's class when nullptr) with itself as owner.
  TComponent* ReadRootComponent(TComponent* Root);
  // Reads the next component; Component nullptr creates it with Owner() as owner.
  TComponent* ReadComponent(TComponent* Component);
  // Reads components until the end of the list, owned by AOwner and
  // parented by AParent; Proc hears of each top-level component read.
  // Fix-ups and Loaded run at the end.
  void ReadComponents(TComponent* AOwner, TComponent* AParent, TReadComponentsProc Proc);
  // Properties and children of a component (TComponent::ReadState).
  void ReadData(TComponent* Instance);
  void ReadCollection(TCollection* Collection);

  TValueType NextValue();
  TValueType ReadValue();
  void CheckValue(TValueType Value);
  void SkipValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  bool ReadBoolean();
  char ReadChar();
  int ReadInteger();
  std::int64_t ReadInt64();
  long double ReadFloat();
  float ReadSingle();
  Currency ReadCurrency();
  double ReadDate();
  // Any string value (vaString, vaLString, vaWString, vaUTF8String) as 1254 text.
  AnsiString ReadString();
  std::u16string ReadWideString();
  // vaIdent, vaFalse, vaTrue, vaNil, vaNull as their words.
  AnsiString ReadIdent();
  // A short string.
  AnsiString ReadStr();
  std::uint32_t ReadSet(PTypeInfo SetType);

  // Reference fix-ups: Begin starts collecting, Fixup resolves what was
  // collected, End drops what is left.
  void BeginReferences();
  void FixupReferences();
  void EndReferences();

  TComponent* Owner() const { return FOwner; }
  void SetOwner(TComponent* Value) { FOwner = Value; }
  TComponent* Parent() const { return FParent; }
  void SetParent(TComponent* Value) { FParent = Value; }
  void SetRoot(TComponent* Value) override;

  TReaderError OnError;
  TFindMethodEvent OnFindMethod;
  TSetNameEvent OnSetName;
  TCreateComponentEvent OnCreateComponent;
  TReferenceNameEvent OnReferenceName;

private:
  struct Fixup {
    TPersistent* Instance;
    PPropInfo Prop;
    AnsiString Name;
    TComponent* Component;  // the component being read when the reference was met
  };
  struct NamedComponent {
    AnsiString Name;  // the name the stream gave it
    TComponent* Component;
  };
  class Watch;
  class Depth;

  // Error handling: true when OnError handled it.
  bool Error(const AnsiString& Message);
  [[noreturn]] void Damaged(const char* what);
  std::int64_t Remaining() const;
  void CheckLength(std::int64_t length);

  void ReadProperty(TPersistent* Instance);
  void ReadPropValue(TPersistent* Instance, PPropInfo Prop);
  void ReadOrdValue(TPersistent* Instance, PPropInfo Prop);
  void ReadObjectValue(TPersistent* Instance, PPropInfo Prop);
  void ReadMethodValue(TPersistent* Instance, PPropInfo Prop);
  TComponent* CreateComponent(const AnsiString& ClassName);
  void SetCompName(TComponent* Component, const AnsiString& StreamName, bool Created);
  void ReadFloatValue(TPersistent* Instance, PPropInfo Prop);
  long double ReadNumber();
  TClass FindComponentClass(const AnsiString& ClassName);
  TComponent* ResolveReference(const AnsiString& Name);
  void SkipComponent(bool SkipHeader);
  void SkipSetBody();
  void SkipBytes(std::int64_t Count);
  void Forget(TComponent* Component);
  void Track(TComponent* Component);
  void FreeTracked(std::size_t From);
  void RunLoaded();

  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  AnsiString FPropName;
  bool FCanHandleExcepts = true;
  int FDepth = 0;
  bool FCollecting = false;
  std::vector<Fixup> FFixups;
  std::vector<TComponent*> FLoaded;
  std::vector<NamedComponent> FNames;
  std::vector<TComponent*> FCreated;
  std::unique_ptr<Watch> FWatch;
  TComponent* FCurrent = nullptr;
};
