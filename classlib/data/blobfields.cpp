#include "classlib/data/blobfields.h"

#include <limits>

#include "classlib/classes/streams.h"
#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"
#include "classlib/system/strutils.h"

IMPLEMENT_CLASS(TBlobField)
IMPLEMENT_CLASS(TMemoField)
IMPLEMENT_CLASS(TGraphicField)

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftBlob); }

void TBlobField::CheckTypeSize(int Value) {
  if (Value < 0)
    DatabaseError(dbconsts::SInvalidFieldSize, DataSet());
}

AnsiString TBlobField::GetAsString() const {
  if (DataSet() == nullptr)
    DatabaseErrorFmt(dbconsts::SDataSetMissing, {DisplayName()});
  return DataSet()->GetBlobData(this);
}

void TBlobField::SetAsStringValue(const AnsiString& Value) {
  if (DataSet() == nullptr)
    DatabaseErrorFmt(dbconsts::SDataSetMissing, {DisplayName()});
  DataSet()->SetBlobData(this, Value);
}

void TBlobField::GetText(AnsiString& Text, bool DisplayText) const {
  Text = BlobTypeName();
  if (!IsNull())
    Text = AnsiUpperCase(Text);
  Text = "(" + Text + ")";
}

void TBlobField::LoadFromStream(TStream& Stream) {
  std::int64_t remaining = Stream.Size() - Stream.Position();
  if (remaining < 0 || remaining > std::numeric_limits<std::int32_t>::max())
    throw EReadError("Stream read error");
  AnsiString data(static_cast<size_t>(remaining), '\0');
  if (remaining > 0)
    Stream.ReadBuffer(data.data(), static_cast<std::int32_t>(remaining));
  SetAsStringValue(data);
}

void TBlobField::SaveToStream(TStream& Stream) const {
  AnsiString data = GetAsString();
  if (!data.empty())
    Stream.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
}

void TBlobField::LoadFromFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TBlobField::SaveToFile(const AnsiString& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(stream);
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftMemo); }

TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftGraphic); }
