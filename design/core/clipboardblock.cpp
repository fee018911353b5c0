#include "design/core/clipboardblock.h"

#include <cstdint>
#include <cstring>

#include "classlib/classes/writer.h"
#include "design/core/layoutfile.h"

void WriteClipboardRecords(TStream& Stream, TComponent* Root, const std::vector<TComponent*>& Components) {
  TWriter writer(Stream, LayoutBufferSize);
  writer.SetRoot(Root);
  for (TComponent* component : Components) {
    writer.WriteSignature();
    writer.WriteComponent(component);
  }
  writer.WriteListEnd();
}

std::vector<unsigned char> MakeClipboardBlock(TMemoryStream& Data) {
  const auto length = static_cast<std::uint32_t>(Data.Size());
  std::vector<unsigned char> block(4 + static_cast<std::size_t>(length));
  for (int i = 0; i < 4; ++i)
    block[i] = static_cast<unsigned char>(length >> (8 * i));
  if (length > 0)
    std::memcpy(block.data() + 4, Data.Memory(), length);
  return block;
}

bool TakeClipboardBlock(const void* Block, std::size_t BlockSize, TMemoryStream& Data) {
  static constexpr unsigned char Signature[] = {'T', 'P', 'F', '0'};
  if (Block == nullptr || BlockSize < 4)
    return false;
  const auto* bytes = static_cast<const unsigned char*>(Block);
  std::uint32_t length = 0;
  for (int i = 0; i < 4; ++i)
    length |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  if (length > BlockSize - 4 || length > 0x7FFFFFFFu || length < sizeof(Signature) ||
      std::memcmp(bytes + 4, Signature, sizeof(Signature)) != 0)
    return false;
  Data.Clear();
  Data.Write(bytes + 4, static_cast<std::int32_t>(length));
  Data.SetPosition(0);
  return true;
}
