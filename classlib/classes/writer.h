// TWriter: writes components and values in the binary component format.
//
// Writes go through a buffer (4096 bytes by default) that is flushed to the
// stream when full, by FlushBuffer and when the writer is destroyed, so the
// stream holds everything written once the writer is gone.
//
// A component is written with its class name, its name, its stored
// properties (see typinfo.h for what is stored), the values its
// DefineProperties adds, and then the children GetChildren lists. Objects
// held in class properties are written as dotted properties ("Font.Name"),
// collections as vaCollection, components as a reference by name, events by
// the root's published method name.
#pragma once
#include <cstdint>

#include "classlib/classes/filer.h"
#include "classlib/classes/typinfo.h"

class TCollection;

class TWriter : public TFiler {
public:
  explicit TWriter(TStream& Stream, int BufSize = 4096);
  // Flushes the buffer into the stream.
  ~TWriter() override;

  void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;
  void FlushBuffer() override;
  void SetRoot(TComponent* Value) override;

  // The logical position: the stream's plus what is buffered.
  std::int64_t Position() const;
  void SetPosition(std::int64_t Value);
  void Write(const void* Buf, int Count);

  void WriteSignature();
  // Signature and Root with Root as lookup root.
  void WriteRootComponent(TComponent* Root);
  // As WriteRootComponent, writing only what differs from AAncestor.
  void WriteDescendent(TComponent* Root, TComponent* AAncestor);
  void WriteComponent(TComponent* Component);
  // Header, properties and children of a component (TComponent::WriteState).
  void WriteData(TComponent* Instance);
  void WriteProperties(TPersistent* Instance);
  void WriteCollection(TCollection* Value);

  void WriteValue(TValueType Value);
  void WriteListBegin();
  void WriteListEnd();
  void WriteBoolean(bool Value);
  void WriteChar(char Value);
  // In the smallest of vaInt8, vaInt16, vaInt32; vaInt64 beyond 32 bits.
  void WriteInteger(std::int64_t Value);
  void WriteFloat(long double Value);
  void WriteSingle(float Value);
  void WriteCurrency(std::int64_t Scaled);
  void WriteDate(double Value);
  // vaString up to 255 bytes, vaLString beyond.
  void WriteString(const AnsiString& Value);
  void WriteWideString(const std::u16string& Value);
  // vaFalse/vaTrue/vaNil for those words, else vaIdent.
  void WriteIdent(const AnsiString& Ident);
  // A short string (names); longer text is cut to 255 bytes.
  void WriteStr(const AnsiString& Value);
  void WritePropName(const AnsiString& PropName);
  void WriteSet(PTypeInfo SetType, std::uint32_t Bits);
  void WriteBinary(const void* Data, int Count);

private:
  void WriteProperty(TPersistent* Instance, PPropInfo Prop);
  void WriteObjectProperty(TPersistent* Instance, PPropInfo Prop);
  bool IsDefaultValue(TPersistent* Instance, PPropInfo Prop);
  AnsiString ComponentReference(TComponent* Component) const;
  AnsiString MethodReference(const TMethod& Method) const;
  // The collection as written without an ancestor: two collections with the
  // same bytes are equal.
  AnsiString CollectionBytes(TCollection* Value);
  void WritePrefix(TFilerFlags Flags, int ChildPos);

  AnsiString FPropPath;
  TComponent* FRootAncestor = nullptr;
  int FDepth = 0;
};
