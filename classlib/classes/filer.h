// TFiler: what the component reader and writer share, and the value tags of
// the binary component format.
//
// A stream of components begins with the signature "TPF0". Each component is
//   [prefix]  one byte $F0 | flags (ffInherited 1, ffChildPos 2, ffInline 4),
//             then the child position as an integer value when ffChildPos is set;
//             absent when no flag is set
//   class name, component name      short strings (length byte + bytes)
//   properties                      name (short string, dotted for nested
//                                   objects) + value, ended by a 0 byte
//   child components                each as above, ended by a 0 byte
// Values begin with one of the TValueType tags; integers are little-endian.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/classes/streams.h"
#include "classlib/system/ansistring.h"

class TComponent;
class TPersistent;
class TReader;
class TWriter;

enum TValueType : unsigned char {
  vaNull = 0,  // also the end of a list
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,  // 80-bit float
  vaString = 6,    // length byte + bytes
  vaIdent = 7,     // length byte + bytes
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,   // 32-bit length + bytes
  vaSet = 11,      // names as short strings, ended by an empty one
  vaLString = 12,  // 32-bit length + bytes
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,  // 64-bit count of 1/10000
  vaDate = 17,      // 64-bit double
  vaWString = 18,   // 32-bit count + UTF-16 units
  vaInt64 = 19,
  vaUTF8String = 20  // 32-bit length + UTF-8 bytes
};

enum TFilerFlag : unsigned char { ffInherited = 1, ffChildPos = 2, ffInline = 4 };
using TFilerFlags = unsigned char;

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TStreamProc = std::function<void(TStream& Stream)>;

inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

class TFiler {
public:
  TFiler(TStream& Stream, int BufSize);
  virtual ~TFiler() = default;
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;

  // Values that are not published properties (DefineProperties): the reader
  // calls ReadData when the stream holds a property of that name; the writer
  // writes the name and calls WriteData when HasData is true.
  virtual void DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc WriteData,
                              bool HasData) = 0;
  // As DefineProperty for a block of bytes (vaBinary): the procedures read or
  // write a stream holding just that block.
  virtual void DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;
  virtual void FlushBuffer() = 0;

  TComponent* Root() const { return FRoot; }
  virtual void SetRoot(TComponent* Value) { FRoot = Value; }
  TComponent* LookupRoot() const { return FLookupRoot; }
  // The object the one being written descends from (nullptr: write every
  // property that is not at its default).
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }
  bool IgnoreChildren = false;

protected:
  TStream& FStream;
  std::vector<unsigned char> FBuffer;
  int FBufPos = 0;
  int FBufEnd = 0;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
};
