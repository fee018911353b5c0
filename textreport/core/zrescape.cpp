#include "textreport/core/zrescape.h"

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"

#define ESCAPE_PROPERTY(Name) PROPERTY(Name, GetValue<zec##Name>, SetValue<zec##Name>).Stored(false)

BEGIN_PUBLISHED(TZREscapes)
  PROPERTY(Model, FModel, SetModel).Default(emEpson),
  ESCAPE_PROPERTY(Reset),
  ESCAPE_PROPERTY(FormFeed),
  ESCAPE_PROPERTY(Pica),
  ESCAPE_PROPERTY(Elite),
  ESCAPE_PROPERTY(CondensedOn),
  ESCAPE_PROPERTY(CondensedOff),
  ESCAPE_PROPERTY(BoldOn),
  ESCAPE_PROPERTY(BoldOff),
  ESCAPE_PROPERTY(ItalicOn),
  ESCAPE_PROPERTY(ItalicOff),
  ESCAPE_PROPERTY(UnderlineOn),
  ESCAPE_PROPERTY(UnderlineOff),
  ESCAPE_PROPERTY(SuperScriptOn),
  ESCAPE_PROPERTY(SuperScriptOff),
  ESCAPE_PROPERTY(SubScriptOn),
  ESCAPE_PROPERTY(SubScriptOff),
  ESCAPE_PROPERTY(ReportStart),
  ESCAPE_PROPERTY(ReportFinish),
  ESCAPE_PROPERTY(PageStart),
  ESCAPE_PROPERTY(PageFinish),
END_PUBLISHED

TZREscapes::TZREscapes() { SetModel(emEpson); }

void TZREscapes::SetModel(TZREscapeModel Value) {
  if (Value == FModel)
    return;
  if (Value == emCustom)
    SetCustomEscapeStrings(FValues);
  FModel = Value;
  FValues = EscapeModelStrings(Value);
}

void TZREscapes::SetValues(TZREscapeCode Index, const AnsiString& Value) {
  if (Value == FValues[Index])
    return;
  FValues[Index] = Value.substr(0, MaxStringLength);
  SetModel(emCustom);
}

void TZREscapes::Assign(TPersistent* Source) {
  if (auto* escapes = dynamic_cast<TZREscapes*>(Source)) {
    FModel = escapes->FModel;
    FValues = escapes->FValues;
    return;
  }
  TPersistent::Assign(Source);
}

void TZREscapes::DefineProperties(TFiler& Filer) {
  Filer.DefineProperty(
      "Values", [this](TReader& reader) { ReadValues(reader); }, [this](TWriter& writer) { WriteValues(writer); },
      FModel == emCustom);
}

void TZREscapes::ReadValues(TReader& Reader) {
  Reader.ReadListBegin();
  // Strings beyond the twentieth are read and dropped; missing ones stay.
  for (int i = 0; !Reader.EndOfList(); ++i) {
    const AnsiString value = Reader.ReadString();
    if (i < ZREscapeCount)
      FValues[i] = value.substr(0, MaxStringLength);
  }
  Reader.ReadListEnd();
}

void TZREscapes::WriteValues(TWriter& Writer) {
  Writer.WriteListBegin();
  for (const AnsiString& value : FValues)
    Writer.WriteString(value);
  Writer.WriteListEnd();
}
