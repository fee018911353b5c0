#include "classlib/graphics/graphic.h"

#include <limits>

#include "classlib/classes/filer.h"

IMPLEMENT_CLASS(TGraphic)

void TGraphic::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
      !Empty());
}

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_)
    return;
  transparent_ = value;
  Changed(this);
}

void TGraphic::SetModified(bool value) {
  if (value)
    Changed(this);
  else
    modified_ = false;
}

void TGraphic::Changed(TObject* sender) {
  modified_ = true;
  if (OnChange)
    OnChange(this);
}

void TGraphic::Progress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                        const RECT& r, const AnsiString& msg) {
  if (OnProgress)
    OnProgress(sender, stage, percentDone, redrawNow, r, msg);
}

void TGraphic::LoadFromFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

std::vector<std::uint8_t> ReadStreamBytes(TStream& stream, std::int64_t count) {
  std::int64_t left = stream.Size() - stream.Position();
  if (count < 0)
    count = left > 0 ? left : 0;
  if (count > left || count > std::numeric_limits<std::int32_t>::max())
    throw EReadError("Stream read error");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  if (count > 0)
    stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(count));
  return bytes;
}

void WriteStreamBytes(TStream& stream, const std::vector<std::uint8_t>& bytes) {
  if (!bytes.empty())
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

std::vector<std::uint8_t> ReadSizedBlock(TStream& stream) {
  std::int32_t size = 0;
  stream.ReadBuffer(&size, sizeof(size));
  if (size < 0)
    throw EReadError("Stream read error");
  return ReadStreamBytes(stream, size);
}

void WriteSizedBlock(TStream& stream, const std::vector<std::uint8_t>& bytes) {
  std::int32_t size = static_cast<std::int32_t>(bytes.size());
  stream.WriteBuffer(&size, sizeof(size));
  WriteStreamBytes(stream, bytes);
}
