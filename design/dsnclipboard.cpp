#include "design/dsnclipboard.h"

#include "classlib/graphics/clipbrd.h"
#include "design/core/clipboardblock.h"

UINT DesignClipboardFormat() { return RegisterClipboardFormat(DesignClipboardFormatName); }

bool DesignClipboardHasData() { return Clipboard().HasFormat(DesignClipboardFormat()); }

void PutDesignClipboard(TComponent* Root, const std::vector<TComponent*>& Components) {
  TMemoryStream records;
  WriteClipboardRecords(records, Root, Components);
  const std::vector<unsigned char> block = MakeClipboardBlock(records);
  const UINT format = DesignClipboardFormat();
  TClipboard& clipboard = Clipboard();
  clipboard.Open();
  try {
    clipboard.Clear();
    clipboard.SetBuffer(format, block.data(), block.size());
  } catch (...) {
    clipboard.Close();
    throw;
  }
  clipboard.Close();
}

namespace {

// Holds a global block locked while it is read.
class TLockedBlock {
public:
  explicit TLockedBlock(HANDLE Block) : FBlock(Block), FData(GlobalLock(Block)) {}
  ~TLockedBlock() {
    if (FData != nullptr)
      GlobalUnlock(FBlock);
  }
  TLockedBlock(const TLockedBlock&) = delete;
  TLockedBlock& operator=(const TLockedBlock&) = delete;
  const void* Data() const { return FData; }
  std::size_t Size() const { return FData != nullptr ? GlobalSize(FBlock) : 0; }

private:
  HANDLE FBlock;
  void* FData;
};

}  // namespace

bool GetDesignClipboard(TMemoryStream& Data) {
  const UINT format = DesignClipboardFormat();
  TClipboard& clipboard = Clipboard();
  clipboard.Open();
  bool taken = false;
  try {
    if (HANDLE block = GetClipboardData(format)) {
      TLockedBlock locked(block);
      taken = TakeClipboardBlock(locked.Data(), locked.Size(), Data);
    }
  } catch (...) {
    clipboard.Close();
    throw;
  }
  clipboard.Close();
  return taken;
}
