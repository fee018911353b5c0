#include "classlib/classes/writer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "classlib/classes/collection.h"
#include "classlib/classes/component.h"
#include "classlib/system/codepage.h"
#include "classlib/system/strutils.h"

static_assert(std::numeric_limits<long double>::digits == 64, "vaExtended needs the 80-bit extended type");

namespace {

constexpr int MaxWriteDepth = 64;

template <class T>
void PutLittleEndian(unsigned char* out, T value) {
  auto bits = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i)
    out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

// Restores a member when a scope ends, also by an exception.
template <class T>
class Restore {
public:
  explicit Restore(T& target) : target_(target), saved_(target) {}
  ~Restore() { target_ = saved_; }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

private:
  T& target_;
  T saved_;
};

}  // namespace

TWriter::TWriter(TStream& Stream, int BufSize) : TFiler(Stream, BufSize) {}

TWriter::~TWriter() {
  // A destructor cannot report a failed write; callers that must know call
  // FlushBuffer themselves first.
  try {
    FlushBuffer();
  } catch (...) {
  }
}

void TWriter::FlushBuffer() {
  if (FBufPos > 0)
    FStream.WriteBuffer(FBuffer.data(), FBufPos);
  FBufPos = 0;
}

void TWriter::SetRoot(TComponent* Value) {
  TFiler::SetRoot(Value);
  FLookupRoot = Value;
}

std::int64_t TWriter::Position() const { return FStream.Position() + FBufPos; }

void TWriter::SetPosition(std::int64_t Value) {
  FlushBuffer();
  FStream.SetPosition(Value);
}

void TWriter::Write(const void* Buf, int Count) {
  auto* bytes = static_cast<const unsigned char*>(Buf);
  while (Count > 0) {
    int room = static_cast<int>(FBuffer.size()) - FBufPos;
    int n = std::min(room, Count);
    std::memcpy(FBuffer.data() + FBufPos, bytes, n);
    FBufPos += n;
    bytes += n;
    Count -= n;
    if (FBufPos == static_cast<int>(FBuffer.size()))
      FlushBuffer();
  }
}

// ---- Values -------------------------------------------------------------------
void TWriter::WriteValue(TValueType Value) {
  unsigned char tag = Value;
  Write(&tag, 1);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }
void TWriter::WriteListEnd() { WriteValue(vaNull); }
void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }
void TWriter::WriteChar(char Value) { WriteString(AnsiString(1, Value)); }

void TWriter::WriteInteger(std::int64_t Value) {
  unsigned char bytes[8];
  if (Value >= -128 && Value <= 127) {
    WriteValue(vaInt8);
    PutLittleEndian(bytes, static_cast<std::int8_t>(Value));
    Write(bytes, 1);
  } else if (Value >= -32768 && Value <= 32767) {
    WriteValue(vaInt16);
    PutLittleEndian(bytes, static_cast<std::int16_t>(Value));
    Write(bytes, 2);
  } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
    WriteValue(vaInt32);
    PutLittleEndian(bytes, static_cast<std::int32_t>(Value));
    Write(bytes, 4);
  } else {
    WriteValue(vaInt64);
    PutLittleEndian(bytes, Value);
    Write(bytes, 8);
  }
}

void TWriter::WriteFloat(long double Value) {
  WriteValue(vaExtended);
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &Value, sizeof(long double));
  Write(bytes, 10);
}

void TWriter::WriteSingle(float Value) {
  WriteValue(vaSingle);
  std::uint32_t bits;
  std::memcpy(&bits, &Value, 4);
  unsigned char bytes[4];
  PutLittleEndian(bytes, bits);
  Write(bytes, 4);
}

void TWriter::WriteCurrency(std::int64_t Scaled) {
  WriteValue(vaCurrency);
  unsigned char bytes[8];
  PutLittleEndian(bytes, Scaled);
  Write(bytes, 8);
}

void TWriter::WriteDate(double Value) {
  WriteValue(vaDate);
  std::uint64_t bits;
  std::memcpy(&bits, &Value, 8);
  unsigned char bytes[8];
  PutLittleEndian(bytes, bits);
  Write(bytes, 8);
}

void TWriter::WriteString(const AnsiString& Value) {
  if (Value.size() <= 255) {
    WriteValue(vaString);
    WriteStr(Value);
    return;
  }
  WriteValue(vaLString);
  unsigned char bytes[4];
  PutLittleEndian(bytes, static_cast<std::int32_t>(Value.size()));
  Write(bytes, 4);
  Write(Value.data(), static_cast<int>(Value.size()));
}

void TWriter::WriteWideString(const std::u16string& Value) {
  WriteValue(vaWString);
  unsigned char bytes[4];
  PutLittleEndian(bytes, static_cast<std::int32_t>(Value.size()));
  Write(bytes, 4);
  for (char16_t ch : Value) {
    PutLittleEndian(bytes, static_cast<std::uint16_t>(ch));
    Write(bytes, 2);
  }
}

void TWriter::WriteIdent(const AnsiString& Ident) {
  if (SameText(Ident, "False"))
    WriteValue(vaFalse);
  else if (SameText(Ident, "True"))
    WriteValue(vaTrue);
  else if (SameText(Ident, "nil"))
    WriteValue(vaNil);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteStr(const AnsiString& Value) {
  auto length = static_cast<unsigned char>(std::min<std::size_t>(Value.size(), 255));
  Write(&length, 1);
  Write(Value.data(), length);
}

void TWriter::WritePropName(const AnsiString& PropName) { WriteStr(FPropPath + PropName); }

void TWriter::WriteSet(PTypeInfo SetType, std::uint32_t Bits) {
  WriteValue(vaSet);
  for (int i = 0; i < 32; ++i)
    if ((Bits & (std::uint32_t{1} << i)) != 0)
      WriteStr(GetEnumName(SetType->CompType, i));
  WriteStr("");
}

void TWriter::WriteBinary(const void* Data, int Count) {
  WriteValue(vaBinary);
  unsigned char bytes[4];
  PutLittleEndian(bytes, static_cast<std::int32_t>(Count));
  Write(bytes, 4);
  Write(Data, Count);
}

void TWriter::WriteSignature() { Write(FilerSignature, 4); }

void TWriter::WritePrefix(TFilerFlags Flags, int ChildPos) {
  if (Flags == 0)
    return;
  unsigned char prefix = 0xF0 | Flags;
  Write(&prefix, 1);
  if ((Flags & ffChildPos) != 0)
    WriteInteger(ChildPos);
}

// ---- Defined properties -----------------------------------------------------
void TWriter::DefineProperty(const AnsiString& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (HasData && WriteData) {
    WritePropName(Name);
    WriteData(*this);
  }
}

void TWriter::DefineBinaryProperty(const AnsiString& Name, TStreamProc, TStreamProc WriteData, bool HasData) {
  if (!HasData || !WriteData)
    return;
  WritePropName(Name);
  TMemoryStream data;
  WriteData(data);
  WriteBinary(data.Memory(), static_cast<int>(data.Size()));
}

// ---- Components ---------------------------------------------------------------
void TWriter::WriteRootComponent(TComponent* Root) { WriteDescendent(Root, nullptr); }

void TWriter::WriteDescendent(TComponent* Root, TComponent* AAncestor) {
  SetRoot(Root);
  FRootAncestor = AAncestor;
  FAncestor = AAncestor;
  WriteSignature();
  WriteComponent(Root);
}

void TWriter::WriteComponent(TComponent* Component) {
  if (++FDepth > MaxWriteDepth) {
    --FDepth;
    throw EWriteError("Components nested too deeply");
  }
  Restore<TPersistent*> ancestor(FAncestor);
  Restore<AnsiString> path(FPropPath);
  FPropPath.clear();
  Component->SetStateFlag(csWriting, true);
  try {
    Component->WriteState(*this);
  } catch (...) {
    Component->SetStateFlag(csWriting, false);
    --FDepth;
    throw;
  }
  Component->SetStateFlag(csWriting, false);
  --FDepth;
}

void TWriter::WriteData(TComponent* Instance) {
  auto* ancestor = dynamic_cast<TComponent*>(FAncestor);
  WritePrefix(ancestor != nullptr ? ffInherited : 0, 0);
  WriteStr(Instance->ClassName());
  WriteStr(Instance->Name());
  WriteProperties(Instance);
  WriteListEnd();
  if (!IgnoreChildren) {
    Instance->GetChildren(
        [this](TComponent* child) {
          // A component the ancestor root owns under the same name is the
          // child's ancestor.
          FAncestor = FRootAncestor != nullptr && !child->Name().empty() ? FRootAncestor->FindComponent(child->Name())
                                                                         : nullptr;
          WriteComponent(child);
        },
        FRoot);
  }
  WriteListEnd();
}

// ---- Properties ---------------------------------------------------------------
void TWriter::WriteProperties(TPersistent* Instance) {
  for (PPropInfo prop : GetPropList(Instance))
    if (prop->IsStored(Instance))
      WriteProperty(Instance, prop);
  Instance->DefineProperties(*this);
}

bool TWriter::IsDefaultValue(TPersistent* Instance, PPropInfo Prop) {
  TPersistent* ancestor =
      FAncestor != nullptr && FAncestor->ClassType() == Instance->ClassType() ? FAncestor : nullptr;
  switch (Prop->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
      std::int64_t value = Prop->GetOrd(Instance);
      if (ancestor != nullptr)
        return value == Prop->GetOrd(ancestor);
      return Prop->HasDefault && value == Prop->DefaultValue;
    }
    case tkInt64: {
      std::int64_t value = Prop->GetOrd(Instance);
      if (ancestor != nullptr)
        return value == Prop->GetOrd(ancestor);
      return value == (Prop->HasDefault ? Prop->DefaultValue : 0);
    }
    case tkFloat:
      return Prop->GetFloat(Instance) == (ancestor != nullptr ? Prop->GetFloat(ancestor) : 0.0L);
    case tkString:
    case tkLString:
    case tkWString:
      return Prop->GetStr(Instance) == (ancestor != nullptr ? Prop->GetStr(ancestor) : AnsiString());
    case tkMethod: {
      TMethod value = Prop->GetMethod(Instance);
      return value.Code == (ancestor != nullptr ? Prop->GetMethod(ancestor).Code : nullptr);
    }
    default:
      return true;
  }
}

void TWriter::WriteProperty(TPersistent* Instance, PPropInfo Prop) {
  // Objects held in a read-only class property are written too: the reader
  // fills them in place (dotted names, collections).
  if (Prop->Kind() == tkClass) {
    WriteObjectProperty(Instance, Prop);
    return;
  }
  if (!Prop->Writable())
    return;
  if (IsDefaultValue(Instance, Prop))
    return;
  PTypeInfo type = Prop->PropType;
  switch (Prop->Kind()) {
    case tkInteger: {
      // Values of a type with registered names go by name when they have one.
      std::int64_t value = Prop->GetOrd(Instance);
      AnsiString ident;
      WritePropName(Prop->Name);
      if (IntegerToIdent(type, value, ident))
        WriteIdent(ident);
      else
        WriteInteger(value);
      break;
    }
    case tkInt64:
      WritePropName(Prop->Name);
      WriteInteger(Prop->GetOrd(Instance));
      break;
    case tkChar:
      WritePropName(Prop->Name);
      WriteChar(static_cast<char>(Prop->GetOrd(Instance)));
      break;
    case tkWChar:
      WritePropName(Prop->Name);
      WriteWideString(std::u16string(1, static_cast<char16_t>(Prop->GetOrd(Instance))));
      break;
    case tkEnumeration:
      WritePropName(Prop->Name);
      WriteIdent(GetEnumName(type, static_cast<int>(Prop->GetOrd(Instance))));
      break;
    case tkSet:
      WritePropName(Prop->Name);
      WriteSet(type, static_cast<std::uint32_t>(Prop->GetOrd(Instance)));
      break;
    case tkFloat: {
      long double value = Prop->GetFloat(Instance);
      WritePropName(Prop->Name);
      if (type->FloatType == ftSingle)
        WriteSingle(static_cast<float>(value));
      else if (type->FloatType == ftCurr)
        WriteCurrency(Currency::FromFloat(value).Scaled());
      else if (type->Name == "TDateTime")
        WriteDate(static_cast<double>(value));
      else
        WriteFloat(value);
      break;
    }
    case tkString:
    case tkLString:
      WritePropName(Prop->Name);
      WriteString(Prop->GetStr(Instance));
      break;
    case tkWString:
      WritePropName(Prop->Name);
      WriteWideString(AnsiToUtf16(Prop->GetStr(Instance)));
      break;
    case tkMethod: {
      // Only methods the root publishes can be found again by name; plain
      // callables and unpublished methods are not written.
      AnsiString name = MethodReference(Prop->GetMethod(Instance));
      if (!name.empty()) {
        WritePropName(Prop->Name);
        WriteIdent(name);
      }
      break;
    }
    default:
      break;
  }
}

AnsiString TWriter::MethodReference(const TMethod& Method) const {
  if (Method.Code == nullptr || FLookupRoot == nullptr)
    return {};
  return FLookupRoot->MethodName(Method.Code);
}

AnsiString TWriter::ComponentReference(TComponent* Component) const {
  if (Component->Owner() == FLookupRoot)
    return Component->Name();
  if (Component == FLookupRoot)
    return "Owner";
  if (Component->Owner() != nullptr && !Component->Owner()->Name().empty() && !Component->Name().empty())
    return Component->Owner()->Name() + "." + Component->Name();
  if (!Component->Name().empty())
    return Component->Name() + ".Owner";
  return {};
}

void TWriter::WriteObjectProperty(TPersistent* Instance, PPropInfo Prop) {
  TObject* value = Prop->GetObject(Instance);
  TPersistent* ancestor =
      FAncestor != nullptr && FAncestor->ClassType() == Instance->ClassType() ? FAncestor : nullptr;
  TObject* ancestorValue = ancestor != nullptr ? Prop->GetObject(ancestor) : nullptr;
  if (value == nullptr) {
    if (ancestorValue != nullptr && Prop->Writable()) {
      WritePropName(Prop->Name);
      WriteValue(vaNil);
    }
    return;
  }
  auto* component = dynamic_cast<TComponent*>(value);
  // A component the instance owns behind a read-only property is a part of
  // it (a sub-component): its properties go with the instance's, under the
  // property's name, as those of any other object value.
  const bool subComponent = component != nullptr && !Prop->Writable() && component->Owner() == Instance;
  if (component != nullptr && !subComponent) {
    if (!Prop->Writable())
      return;
    AnsiString name = ComponentReference(component);
    auto* ancestorComponent = dynamic_cast<TComponent*>(ancestorValue);
    if (name.empty() || (ancestorComponent != nullptr && SameText(ancestorComponent->Name(), component->Name())))
      return;
    WritePropName(Prop->Name);
    WriteIdent(name);
    return;
  }
  if (auto* collection = dynamic_cast<TCollection*>(value)) {
    auto* ancestorCollection = dynamic_cast<TCollection*>(ancestorValue);
    if (ancestorCollection != nullptr && CollectionBytes(collection) == CollectionBytes(ancestorCollection))
      return;
    WritePropName(Prop->Name);
    WriteValue(vaCollection);
    WriteCollection(collection);
    return;
  }
  if (auto* nested = dynamic_cast<TPersistent*>(value)) {
    if (++FDepth > MaxWriteDepth) {
      --FDepth;
      throw EWriteError("Objects nested too deeply");
    }
    Restore<AnsiString> path(FPropPath);
    Restore<TPersistent*> savedAncestor(FAncestor);
    FPropPath += AnsiString(Prop->Name) + ".";
    FAncestor = dynamic_cast<TPersistent*>(ancestorValue);
    try {
      WriteProperties(nested);
    } catch (...) {
      --FDepth;
      throw;
    }
    --FDepth;
  }
}

AnsiString TWriter::CollectionBytes(TCollection* Value) {
  TStringStream bytes;
  {
    TWriter writer(bytes, 4096);
    writer.SetRoot(FRoot);
    writer.WriteCollection(Value);
  }
  return bytes.DataString();
}

void TWriter::WriteCollection(TCollection* Value) {
  Restore<AnsiString> path(FPropPath);
  Restore<TPersistent*> ancestor(FAncestor);
  FPropPath.clear();
  FAncestor = nullptr;
  for (int i = 0; i < Value->Count(); ++i) {
    WriteListBegin();
    WriteProperties(Value->Items(i));
    WriteListEnd();
  }
  WriteListEnd();
}
