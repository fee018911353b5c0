#include "classlib/classes/reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "classlib/classes/collection.h"
#include "classlib/classes/component.h"
#include "classlib/system/codepage.h"
#include "classlib/system/strutils.h"

static_assert(std::numeric_limits<long double>::digits == 64, "vaExtended needs the 80-bit extended type");

namespace {

// An error that ends the read: the stream is damaged, or OnError declined an
// error already. It passes every handler of the reader untouched.
class EReadFatal : public EReadError {
public:
  using EReadError::EReadError;
};

[[noreturn]] void PropValueError() { throw EReadError("Invalid property value"); }

[[noreturn]] void PropertyNotFound(const AnsiString& name) {
  throw EReadError("Property " + name + " does not exist");
}

template <class T>
T GetLittleEndian(const unsigned char* in) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i)
    bits |= static_cast<std::uint64_t>(in[i]) << (8 * i);
  return static_cast<T>(bits);
}

bool IsIntegerTag(TValueType v) { return v == vaInt8 || v == vaInt16 || v == vaInt32; }

}  // namespace

// Hears when a component the reader knows of is freed, so no list of the
// reader keeps a dangling pointer.
class TReader::Watch : public TComponent {
public:
  explicit Watch(TReader* reader) : TComponent(nullptr), reader_(reader) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove)
      reader_->Forget(AComponent);
    TComponent::Notification(AComponent, Operation);
  }

private:
  TReader* reader_;
};

// Counts nesting; too deep a stream is damaged.
class TReader::Depth {
public:
  explicit Depth(TReader& reader) : reader_(reader) {
    if (++reader_.FDepth > MaxDepth) {
      --reader_.FDepth;
      reader_.Damaged("Stream nested too deeply");
    }
  }
  ~Depth() { --reader_.FDepth; }
  Depth(const Depth&) = delete;
  Depth& operator=(const Depth&) = delete;

private:
  TReader& reader_;
};

TReader::TReader(TStream& Stream, int BufSize) : TFiler(Stream, BufSize), FWatch(std::make_unique<Watch>(this)) {}

TReader::~TReader() {
  try {
    FlushBuffer();
  } catch (...) {
  }
  FWatch.reset();
}

void TReader::SetRoot(TComponent* Value) {
  TFiler::SetRoot(Value);
  FLookupRoot = Value;
}

// ---- Buffer -------------------------------------------------------------------
void TReader::FlushBuffer() {
  if (FBufEnd > FBufPos)
    FStream.Seek(-static_cast<std::int64_t>(FBufEnd - FBufPos), soCurrent);
  FBufPos = FBufEnd = 0;
}

std::int64_t TReader::Position() const { return FStream.Position() - (FBufEnd - FBufPos); }

void TReader::SetPosition(std::int64_t Value) {
  FStream.SetPosition(Value);
  FBufPos = FBufEnd = 0;
}

void TReader::Read(void* Buf, int Count) {
  auto* out = static_cast<unsigned char*>(Buf);
  while (Count > 0) {
    if (FBufPos == FBufEnd) {
      FBufEnd = FStream.Read(FBuffer.data(), static_cast<std::int32_t>(FBuffer.size()));
      FBufPos = 0;
      if (FBufEnd <= 0) {
        FBufEnd = 0;
        throw EReadFatal("Stream read error");
      }
    }
    int n = std::min(Count, FBufEnd - FBufPos);
    std::memcpy(out, FBuffer.data() + FBufPos, n);
    FBufPos += n;
    out += n;
    Count -= n;
  }
}

std::int64_t TReader::Remaining() const {
  return (FBufEnd - FBufPos) + std::max<std::int64_t>(0, FStream.Size() - FStream.Position());
}

void TReader::CheckLength(std::int64_t length) {
  if (length < 0 || length > Remaining())
    Damaged("Invalid stream format");
}

void TReader::SkipBytes(std::int64_t Count) {
  CheckLength(Count);
  if (Count <= FBufEnd - FBufPos)
    FBufPos += static_cast<int>(Count);
  else
    SetPosition(Position() + Count);
}

void TReader::Damaged(const char* what) { throw EReadFatal(what); }

bool TReader::Error(const AnsiString& Message) {
  bool handled = false;
  if (OnError)
    OnError(this, Message, handled);
  return handled;
}

// ---- Values -------------------------------------------------------------------
TValueType TReader::NextValue() {
  TValueType v = ReadValue();
  --FBufPos;  // the byte is in the buffer: ReadValue just read it
  return v;
}

TValueType TReader::ReadValue() {
  unsigned char tag;
  Read(&tag, 1);
  return static_cast<TValueType>(tag);
}

void TReader::CheckValue(TValueType Value) {
  if (ReadValue() != Value)
    PropValueError();
}

bool TReader::EndOfList() { return NextValue() == vaNull; }
void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

bool TReader::ReadBoolean() {
  TValueType v = ReadValue();
  if (v == vaTrue)
    return true;
  if (v == vaFalse)
    return false;
  PropValueError();
}

char TReader::ReadChar() {
  AnsiString s = ReadString();
  if (s.size() != 1)
    PropValueError();
  return s[0];
}

int TReader::ReadInteger() {
  std::int64_t v = ReadInt64();
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
    PropValueError();
  return static_cast<int>(v);
}

std::int64_t TReader::ReadInt64() {
  unsigned char b[8];
  switch (ReadValue()) {
    case vaInt8:
      Read(b, 1);
      return GetLittleEndian<std::int8_t>(b);
    case vaInt16:
      Read(b, 2);
      return GetLittleEndian<std::int16_t>(b);
    case vaInt32:
      Read(b, 4);
      return GetLittleEndian<std::int32_t>(b);
    case vaInt64:
      Read(b, 8);
      return GetLittleEndian<std::int64_t>(b);
    default:
      PropValueError();
  }
}

long double TReader::ReadNumber() {
  unsigned char b[sizeof(long double)] = {};
  switch (NextValue()) {
    case vaExtended: {
      ReadValue();
      Read(b, 10);
      long double v;
      std::memcpy(&v, b, sizeof v);
      return v;
    }
    case vaSingle: {
      ReadValue();
      Read(b, 4);
      auto bits = GetLittleEndian<std::uint32_t>(b);
      float v;
      std::memcpy(&v, &bits, 4);
      return v;
    }
    case vaDate: {
      ReadValue();
      Read(b, 8);
      auto bits = GetLittleEndian<std::uint64_t>(b);
      double v;
      std::memcpy(&v, &bits, 8);
      return v;
    }
    case vaCurrency:
      ReadValue();
      Read(b, 8);
      return static_cast<long double>(GetLittleEndian<std::int64_t>(b)) / Currency::Scale;
    default:
      return static_cast<long double>(ReadInt64());
  }
}

long double TReader::ReadFloat() { return ReadNumber(); }
float TReader::ReadSingle() { return static_cast<float>(ReadNumber()); }
double TReader::ReadDate() { return static_cast<double>(ReadNumber()); }

Currency TReader::ReadCurrency() {
  if (NextValue() == vaCurrency) {
    unsigned char b[8];
    ReadValue();
    Read(b, 8);
    return Currency::FromScaled(GetLittleEndian<std::int64_t>(b));
  }
  long double value = ReadNumber();
  try {
    return Currency::FromFloat(value);
  } catch (EInvalidOp&) {
    PropValueError();  // beyond the currency range
  }
}

AnsiString TReader::ReadStr() {
  unsigned char length;
  Read(&length, 1);
  AnsiString s(length, '\0');
  Read(s.data(), length);
  return s;
}

std::u16string TReader::ReadWideString() {
  TValueType v = NextValue();
  if (v != vaWString)
    return AnsiToUtf16(ReadString());
  ReadValue();
  unsigned char b[4];
  Read(b, 4);
  std::int64_t count = GetLittleEndian<std::int32_t>(b);
  CheckLength(count * 2);
  std::u16string s(static_cast<std::size_t>(count), u'\0');
  for (auto& ch : s) {
    Read(b, 2);
    ch = GetLittleEndian<std::uint16_t>(b);
  }
  return s;
}

AnsiString TReader::ReadString() {
  unsigned char b[4];
  switch (NextValue()) {
    case vaString:
      ReadValue();
      return ReadStr();
    case vaLString:
    case vaUTF8String: {
      TValueType v = ReadValue();
      Read(b, 4);
      std::int64_t length = GetLittleEndian<std::int32_t>(b);
      CheckLength(length);
      AnsiString s(static_cast<std::size_t>(length), '\0');
      Read(s.data(), static_cast<int>(length));
      return v == vaUTF8String ? Utf8ToAnsi(s) : s;
    }
    case vaWString:
      return Utf16ToAnsi(ReadWideString());
    default:
      ReadValue();
      PropValueError();
  }
}

AnsiString TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      PropValueError();
  }
}

void TReader::SkipSetBody() {
  while (!ReadStr().empty()) {
  }
}

std::uint32_t TReader::ReadSet(PTypeInfo SetType) {
  if (ReadValue() != vaSet)
    PropValueError();
  std::uint32_t bits = 0;
  for (AnsiString name = ReadStr(); !name.empty(); name = ReadStr()) {
    int value = GetEnumValue(SetType->CompType, name);
    if (value < 0 || value >= 32)
      PropValueError();
    bits |= std::uint32_t{1} << value;
  }
  return bits;
}

void TReader::SkipValue() {
  Depth depth(*this);
  unsigned char b[4];
  switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
      return;
    case vaList:
      while (!EndOfList())
        SkipValue();
      ReadValue();
      return;
    case vaInt8:
      return SkipBytes(1);
    case vaInt16:
      return SkipBytes(2);
    case vaInt32:
    case vaSingle:
      return SkipBytes(4);
    case vaInt64:
    case vaCurrency:
    case vaDate:
      return SkipBytes(8);
    case vaExtended:
      return SkipBytes(10);
    case vaString:
    case vaIdent:
      Read(b, 1);
      return SkipBytes(b[0]);
    case vaBinary:
    case vaLString:
    case vaUTF8String:
      Read(b, 4);
      return SkipBytes(GetLittleEndian<std::int32_t>(b));
    case vaWString:
      Read(b, 4);
      return SkipBytes(2 * static_cast<std::int64_t>(GetLittleEndian<std::int32_t>(b)));
    case vaSet:
      return SkipSetBody();
    case vaCollection:
      while (!EndOfList()) {
        if (IsIntegerTag(NextValue()))
          SkipValue();
        if (ReadValue() != vaList)
          Damaged("Invalid stream format");
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadValue();
      }
      ReadValue();
      return;
    default:
      Damaged("Invalid stream format");
  }
}

// ---- Defined properties -----------------------------------------------------
void TReader::DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (!FPropName.empty() && SameText(Name, FPropName) && ReadData) {
    ReadData(*this);
    FPropName.clear();
  }
}

void TReader::DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc, bool) {
  if (FPropName.empty() || !SameText(Name, FPropName) || !ReadData)
    return;
  CheckValue(vaBinary);
  unsigned char b[4];
  Read(b, 4);
  std::int64_t count = GetLittleEndian<std::int32_t>(b);
  CheckLength(count);
  TMemoryStream data;
  data.SetSize(count);
  if (count > 0)
    Read(data.Memory(), static_cast<int>(count));
  data.SetPosition(0);
  ReadData(data);
  FPropName.clear();
}

// ---- Properties ---------------------------------------------------------------
void TReader::ReadProperty(TPersistent* Instance) {
  AnsiString path = ReadStr();
  std::int64_t valueStart = Position();
  try {
    TPersistent* target = Instance;
    std::size_t start = 0;
    for (std::size_t dot = path.find('.'); dot != AnsiString::npos; dot = path.find('.', start)) {
      AnsiString part = path.substr(start, dot - start);
      PPropInfo prop = GetPropInfo(target, part);
      TObject* value = prop != nullptr && prop->Kind() == tkClass ? prop->GetObject(target) : nullptr;
      target = dynamic_cast<TPersistent*>(value);
      if (target == nullptr)
        PropertyNotFound(part);
      start = dot + 1;
    }
    FPropName = path.substr(start);
    PPropInfo prop = GetPropInfo(target, FPropName);
    if (prop != nullptr) {
      ReadPropValue(target, prop);
    } else {
      target->DefineProperties(*this);
      if (!FPropName.empty())
        PropertyNotFound(FPropName);
    }
    FPropName.clear();
  } catch (EReadFatal&) {
    throw;
  } catch (Exception& e) {
    FPropName.clear();
    // Whatever the failed read left, the stream goes on after the value.
    SetPosition(valueStart);
    SkipValue();
    AnsiString owner;
    if (auto* component = dynamic_cast<TComponent*>(Instance))
      owner = component->Name();
    if (owner.empty())
      owner = Instance->ClassName();
    AnsiString message = "Error reading " + owner + "." + path + ": " + e.Message;
    if (!Error(message))
      throw EReadFatal(message);
  }
}

void TReader::ReadPropValue(TPersistent* Instance, PPropInfo Prop) {
  if (!Prop->Writable() && !(Prop->Kind() == tkClass && NextValue() == vaCollection))
    throw EReadError(AnsiString("Property ") + Prop->Name + " is read-only");
  switch (Prop->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
      ReadOrdValue(Instance, Prop);
      break;
    case tkInt64:
      Prop->SetOrd(Instance, ReadInt64());
      break;
    case tkFloat:
      ReadFloatValue(Instance, Prop);
      break;
    case tkString:
    case tkLString:
    case tkWString:
      Prop->SetStr(Instance, ReadString());
      break;
    case tkMethod:
      ReadMethodValue(Instance, Prop);
      break;
    case tkClass:
      ReadObjectValue(Instance, Prop);
      break;
    default:
      PropValueError();
  }
}

void TReader::ReadOrdValue(TPersistent* Instance, PPropInfo Prop) {
  PTypeInfo type = Prop->PropType;
  std::int64_t value = 0;
  switch (Prop->Kind()) {
    case tkInteger:
      // Types with registered names take their identifiers as well; an
      // identifier the type does not know is a bad value.
      if (NextValue() == vaIdent) {
        if (!IdentToInteger(type, ReadIdent(), value))
          PropValueError();
      } else {
        value = ReadInt64();
      }
      if (value < type->MinValue || value > type->MaxValue)
        PropValueError();
      break;
    case tkChar:
      value = static_cast<unsigned char>(ReadChar());
      break;
    case tkWChar: {
      std::u16string s = ReadWideString();
      if (s.size() != 1)
        PropValueError();
      value = s[0];
      break;
    }
    case tkEnumeration:
      value = GetEnumValue(type, ReadIdent());
      if (value < 0)
        PropValueError();
      break;
    default:
      value = ReadSet(type);
      break;
  }
  Prop->SetOrd(Instance, value);
}

void TReader::ReadFloatValue(TPersistent* Instance, PPropInfo Prop) {
  if (Prop->PropType->FloatType == ftCurr) {
    Currency value = ReadCurrency();
    Prop->SetFloat(Instance, static_cast<long double>(value.Scaled()) / Currency::Scale);
    return;
  }
  Prop->SetFloat(Instance, ReadNumber());
}

void TReader::ReadMethodValue(TPersistent* Instance, PPropInfo Prop) {
  if (NextValue() == vaNil) {
    ReadValue();
    Prop->SetMethod(Instance, TMethod{});
    return;
  }
  AnsiString name = ReadIdent();
  const TMethodCode* address = FRoot != nullptr ? FRoot->MethodAddress(name) : nullptr;
  bool error = address == nullptr;
  if (OnFindMethod)
    OnFindMethod(this, name, address, error);
  if (error)
    throw EReadError("Method " + name + " not found");
  Prop->SetMethod(Instance, address != nullptr ? TMethod{address, FRoot} : TMethod{});
}

void TReader::ReadObjectValue(TPersistent* Instance, PPropInfo Prop) {
  switch (NextValue()) {
    case vaNil:
      ReadValue();
      Prop->SetObject(Instance, nullptr);
      return;
    case vaCollection: {
      ReadValue();
      auto* collection = dynamic_cast<TCollection*>(Prop->GetObject(Instance));
      if (collection == nullptr)
        PropValueError();
      ReadCollection(collection);
      return;
    }
    case vaIdent: {
      AnsiString name = ReadIdent();
      if (OnReferenceName)
        OnReferenceName(this, name);
      if (Prop->SetObject == nullptr)
        PropValueError();
      FFixups.push_back(Fixup{Instance, Prop, name, FCurrent});
      return;
    }
    default:
      PropValueError();
  }
}

void TReader::ReadCollection(TCollection* Collection) {
  Depth depth(*this);
  Collection->BeginUpdate();
  try {
    if (!EndOfList()) {
      // References met in items read before are dropped with the items.
      std::erase_if(FFixups, [Collection](const Fixup& f) {
        auto* item = dynamic_cast<TCollectionItem*>(f.Instance);
        return item != nullptr && item->Collection() == Collection;
      });
      Collection->Clear();
    }
    while (!EndOfList()) {
      if (IsIntegerTag(NextValue()))
        ReadInteger();
      TCollectionItem* item = Collection->Add();
      ReadListBegin();
      while (!EndOfList())
        ReadProperty(item);
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    Collection->EndUpdate();
    throw;
  }
  Collection->EndUpdate();
}

// ---- Components ---------------------------------------------------------------
void TReader::ReadSignature() {
  char signature[4];
  Read(signature, 4);
  if (std::memcmp(signature, FilerSignature, 4) != 0)
    Damaged("Invalid stream format");
}

void TReader::ReadPrefix(TFilerFlags& Flags, int& AChildPos) {
  Flags = 0;
  if ((NextValue() & 0xF0) != 0xF0)
    return;
  Flags = static_cast<TFilerFlags>(ReadValue() & 0x0F);
  if ((Flags & ffChildPos) != 0) {
    if (!IsIntegerTag(NextValue()))
      Damaged("Invalid stream format");
    AChildPos = ReadInteger();
  }
}

TClass TReader::FindComponentClass(const AnsiString& ClassName) {
  TClass found = GetClass(ClassName);
  if (found == nullptr && FRoot != nullptr)
    for (TClass c : GetFieldClasses(FRoot->ClassType()))
      if (SameText(c->Name, ClassName))
        found = c;
  if (found == nullptr)
    throw EClassNotFound("Class " + ClassName + " not found");
  if (!found->InheritsFrom(TComponent::StaticClass()))
    throw EReadError("Invalid class type " + ClassName);
  return found;
}

TComponent* TReader::CreateComponent(const AnsiString& ClassName) {
  TClass componentClass = FindComponentClass(ClassName);
  TComponent* result = nullptr;
  if (OnCreateComponent)
    OnCreateComponent(this, componentClass, result);
  if (result == nullptr) {
    TObject* created = componentClass->Create(TCreateContext{FOwner, nullptr});
    result = dynamic_cast<TComponent*>(created);
    if (result == nullptr) {
      delete created;
      throw EReadError("Invalid class type " + ClassName);
    }
  }
  Track(result);
  return result;
}

void TReader::SetCompName(TComponent* Component, const AnsiString& StreamName, bool Created) {
  AnsiString name = StreamName;
  if (OnSetName)
    OnSetName(this, Component, name);
  Component->SetName(name);
  if (Created && !StreamName.empty())
    FNames.push_back(NamedComponent{StreamName, Component});
}

void TReader::Track(TComponent* Component) {
  FWatch->FreeNotification(Component);
  FCreated.push_back(Component);
}

void TReader::Forget(TComponent* Component) {
  auto drop = [](auto& list, auto pred) { list.erase(std::remove_if(list.begin(), list.end(), pred), list.end()); };
  drop(FCreated, [&](TComponent* c) { return c == Component; });
  drop(FLoaded, [&](TComponent* c) { return c == Component; });
  drop(FNames, [&](const NamedComponent& n) { return n.Component == Component; });
  drop(FFixups, [&](const Fixup& f) { return f.Component == Component || f.Instance == Component; });
  if (FCurrent == Component)
    FCurrent = nullptr;
}

void TReader::FreeTracked(std::size_t From) {
  // Freeing one component may free others (a control frees its children);
  // each leaves the list through Forget as it goes.
  while (FCreated.size() > From) {
    TComponent* c = FCreated.back();
    c->Free();
    if (!FCreated.empty() && FCreated.back() == c)
      FCreated.pop_back();
  }
}

void TReader::SkipComponent(bool SkipHeader) {
  Depth depth(*this);
  if (SkipHeader) {
    TFilerFlags flags;
    int position = 0;
    ReadPrefix(flags, position);
    ReadStr();
    ReadStr();
  }
  while (!EndOfList()) {
    ReadStr();
    SkipValue();
  }
  ReadValue();
  while (!EndOfList())
    SkipComponent(true);
  ReadValue();
}

TComponent* TReader::ReadComponent(TComponent* Component) {
  Depth depth(*this);
  TFilerFlags flags = 0;
  int childPos = 0;
  ReadPrefix(flags, childPos);
  AnsiString className = ReadStr();
  AnsiString streamName = ReadStr();
  std::size_t mark = FCreated.size();
  TComponent* result = Component;
  bool created = false;

  // Creating and naming: a failure skips the component and all it holds.
  try {
    if (result == nullptr) {
      if ((flags & ffInherited) != 0) {
        result = FOwner != nullptr ? FOwner->FindComponent(streamName) : nullptr;
        if (result == nullptr)
          throw EReadError("Ancestor for '" + streamName + "' not found");
      } else {
        result = CreateComponent(className);
        created = true;
      }
    }
    result->SetStateFlag(csLoading, true);
    if ((flags & ffInherited) == 0)
      SetCompName(result, streamName, created);
  } catch (EReadFatal&) {
    FreeTracked(mark);
    throw;
  } catch (Exception& e) {
    FreeTracked(mark);
    SkipComponent(false);
    if (!Error(e.Message))
      throw EReadFatal(e.Message);
    return nullptr;
  }

  // Reading: a failure here ends the read; what it built is freed.
  try {
    TComponent* saved = FCurrent;
    result->SetStateFlag(csReading, true);
    result->ReadState(*this);
    result->SetStateFlag(csReading, false);
    FCurrent = saved;
    if ((flags & ffChildPos) != 0 && FParent != nullptr)
      FParent->SetChildOrder(result, childPos);
    if (std::find(FLoaded.begin(), FLoaded.end(), result) == FLoaded.end())
      FLoaded.push_back(result);
  } catch (...) {
    if (!created)
      result->SetStateFlag(csReading, false);
    FreeTracked(mark);
    throw;
  }
  return result;
}

void TReader::ReadData(TComponent* Instance) {
  bool topLevel = !FCollecting;
  if (topLevel)
    BeginReferences();
  try {
    TComponent* savedCurrent = FCurrent;
    FCurrent = Instance;
    while (!EndOfList())
      ReadProperty(Instance);
    ReadValue();
    FCurrent = savedCurrent;

    TComponent* savedOwner = FOwner;
    TComponent* savedParent = FParent;
    FParent = Instance->GetChildParent();
    FOwner = Instance->GetChildOwner();
    if (FOwner == nullptr)
      FOwner = FRoot;
    try {
      while (!EndOfList())
        ReadComponent(nullptr);
      ReadValue();
    } catch (...) {
      FOwner = savedOwner;
      FParent = savedParent;
      throw;
    }
    FOwner = savedOwner;
    FParent = savedParent;
    if (topLevel) {
      FixupReferences();
      RunLoaded();
    }
  } catch (...) {
    if (topLevel)
      EndReferences();
    throw;
  }
  if (topLevel)
    EndReferences();
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  ReadSignature();
  BeginReferences();
  TComponent* result = Root;
  bool created = false;
  try {
    TFilerFlags flags = 0;
    int childPos = 0;
    ReadPrefix(flags, childPos);
    AnsiString className = ReadStr();
    AnsiString name = ReadStr();
    if (result == nullptr) {
      TClass rootClass = GetClass(className);
      if (rootClass == nullptr || !rootClass->InheritsFrom(TComponent::StaticClass()))
        throw EReadFatal("Class " + className + " not found");
      result = dynamic_cast<TComponent*>(rootClass->Create(TCreateContext{}));
      if (result == nullptr)
        throw EReadFatal("Invalid class type " + className);
      created = true;
      Track(result);
    }
    SetRoot(result);
    FOwner = result;
    result->SetStateFlag(csLoading, true);
    result->SetStateFlag(csReading, true);
    if (!result->ComponentState().Contains(csDesigning))
      result->SetName(name);
    FLoaded.push_back(result);
    result->ReadState(*this);
    result->SetStateFlag(csReading, false);
    FixupReferences();
    RunLoaded();
  } catch (EReadFatal&) {
    if (created)
      FreeTracked(0);
    else if (result != nullptr)
      result->SetStateFlag(csReading, false);
    EndReferences();
    throw;
  } catch (Exception& e) {
    if (created)
      FreeTracked(0);
    else if (result != nullptr)
      result->SetStateFlag(csReading, false);
    EndReferences();
    throw EReadFatal(e.Message);
  }
  EndReferences();
  return result;
}

void TReader::ReadComponents(TComponent* AOwner, TComponent* AParent, TReadComponentsProc Proc) {
  SetRoot(AOwner);
  FOwner = AOwner;
  FParent = AParent;
  BeginReferences();
  try {
    while (!EndOfList()) {
      ReadSignature();
      TComponent* component = ReadComponent(nullptr);
      if (component != nullptr && Proc)
        Proc(component);
    }
    ReadValue();
  } catch (...) {
    // The components read before the failure stay: they are finished too.
    try {
      FixupReferences();
      RunLoaded();
    } catch (...) {
    }
    EndReferences();
    throw;
  }
  try {
    FixupReferences();
    RunLoaded();
  } catch (...) {
    EndReferences();
    throw;
  }
  EndReferences();
}

// ---- References ---------------------------------------------------------------
void TReader::BeginReferences() {
  FCollecting = true;
  FFixups.clear();
  FLoaded.clear();
  FNames.clear();
}

void TReader::EndReferences() {
  FCollecting = false;
  FFixups.clear();
  FLoaded.clear();
  FNames.clear();
  FCreated.clear();
}

TComponent* TReader::ResolveReference(const AnsiString& Name) {
  if (FLookupRoot == nullptr || Name.empty())
    return nullptr;
  std::vector<AnsiString> parts;
  std::size_t start = 0;
  for (std::size_t dot = Name.find('.'); dot != AnsiString::npos; dot = Name.find('.', start)) {
    parts.push_back(Name.substr(start, dot - start));
    start = dot + 1;
  }
  parts.push_back(Name.substr(start));

  TComponent* current = nullptr;
  const AnsiString& first = parts[0];
  if (SameText(first, "Owner")) {
    current = FLookupRoot;
  } else {
    for (const NamedComponent& n : FNames)
      if (SameText(n.Name, first)) {
        current = n.Component;
        break;
      }
    if (current == nullptr)
      current = FLookupRoot->FindComponent(first);
    if (current == nullptr && SameText(FLookupRoot->Name(), first))
      current = FLookupRoot;
  }
  for (std::size_t i = 1; i < parts.size() && current != nullptr; ++i)
    current = SameText(parts[i], "Owner") ? current->Owner() : current->FindComponent(parts[i]);
  return current;
}

void TReader::FixupReferences() {
  std::vector<Fixup> pending;
  pending.swap(FFixups);
  for (const Fixup& f : pending) {
    TComponent* target = ResolveReference(f.Name);
    if (target == nullptr)
      continue;  // not found: the property stays unassigned
    try {
      f.Prop->SetObject(f.Instance, target);
    } catch (EPropertyError&) {
      // a component of another class than the property's: left unassigned
    }
  }
}

void TReader::RunLoaded() {
  while (!FLoaded.empty()) {
    TComponent* c = FLoaded.front();
    FLoaded.erase(FLoaded.begin());
    c->Loaded();
  }
}
