#include "classlib/printers/driveroutputbuffer.h"

#include <winspool.h>

#include <cstring>
#include <mutex>
#include <vector>

namespace driveroutput {
namespace {

struct GatheredOutput {
  HANDLE Printer = nullptr;
  std::vector<char> Bytes;
  bool Failed = false;  // a hand-over failed; later writes report it
};

std::mutex gOutputLock;
std::vector<GatheredOutput> gOutputs;

GatheredOutput& OutputFor(HANDLE printer) {
  for (GatheredOutput& output : gOutputs)
    if (output.Printer == printer) return output;
  gOutputs.push_back(GatheredOutput{printer, {}, false});
  gOutputs.back().Bytes.reserve(BlockSize);
  return gOutputs.back();
}

// Hands the gathered bytes to the spooler; the lock is held.
bool HandOver(GatheredOutput& output) {
  std::size_t done = 0;
  while (done < output.Bytes.size() && !output.Failed) {
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(output.Bytes.size() - done);
    if (!::WritePrinter(output.Printer, output.Bytes.data() + done, size, &written) || written == 0)
      output.Failed = true;
    done += written;
  }
  output.Bytes.clear();
  return !output.Failed;
}

void Forget(HANDLE printer) {
  for (std::size_t i = 0; i < gOutputs.size(); ++i)
    if (gOutputs[i].Printer == printer) {
      gOutputs.erase(gOutputs.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
}

}  // namespace

bool FlushDriverOutput(HANDLE printer) {
  std::lock_guard<std::mutex> hold(gOutputLock);
  for (GatheredOutput& output : gOutputs)
    if (output.Printer == printer) {
      bool ok = HandOver(output);
      output.Failed = false;
      return ok;
    }
  return true;
}

BOOL WINAPI BufferedWritePrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD written) {
  std::lock_guard<std::mutex> hold(gOutputLock);
  GatheredOutput& output = OutputFor(printer);
  if (output.Failed) {
    if (written) *written = 0;
    return FALSE;
  }
  if (output.Bytes.size() + size > BlockSize && !HandOver(output)) {
    if (written) *written = 0;
    return FALSE;
  }
  if (size >= BlockSize) {
    // A block of its own goes straight through, after what came before it.
    return ::WritePrinter(printer, data, size, written);
  }
  const char* bytes = static_cast<const char*>(data);
  output.Bytes.insert(output.Bytes.end(), bytes, bytes + size);
  if (written) *written = size;
  return TRUE;
}

BOOL WINAPI FlushingEndDocPrinter(HANDLE printer) {
  bool handed = FlushDriverOutput(printer);
  BOOL ended = ::EndDocPrinter(printer);
  return handed ? ended : FALSE;
}

BOOL WINAPI FlushingClosePrinter(HANDLE printer) {
  FlushDriverOutput(printer);
  {
    std::lock_guard<std::mutex> hold(gOutputLock);
    Forget(printer);
  }
  return ::ClosePrinter(printer);
}

BOOL WINAPI FlushingSeekPrinter(HANDLE printer, LARGE_INTEGER distance, PLARGE_INTEGER newPointer,
                                DWORD method, BOOL write) {
  FlushDriverOutput(printer);
  // The toolchain's headers do not declare it; the spooler exports it.
  using SeekPrinterCall = BOOL(WINAPI*)(HANDLE, LARGE_INTEGER, PLARGE_INTEGER, DWORD, BOOL);
  static auto seek = reinterpret_cast<SeekPrinterCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"winspool.drv"), "SeekPrinter")));
  if (seek == nullptr) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
  }
  return seek(printer, distance, newPointer, method, write);
}

BOOL WINAPI FlushingReadPrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD read) {
  FlushDriverOutput(printer);
  return ::ReadPrinter(printer, data, size, read);
}

namespace {

struct Redirection {
  const char* Name;
  void* Replacement;
};

const Redirection kRedirections[] = {
    {"WritePrinter", reinterpret_cast<void*>(&BufferedWritePrinter)},
    {"EndDocPrinter", reinterpret_cast<void*>(&FlushingEndDocPrinter)},
    {"ClosePrinter", reinterpret_cast<void*>(&FlushingClosePrinter)},
    {"SeekPrinter", reinterpret_cast<void*>(&FlushingSeekPrinter)},
    {"ReadPrinter", reinterpret_cast<void*>(&FlushingReadPrinter)},
};

void* ReplacementFor(const char* name) {
  for (const Redirection& r : kRedirections)
    if (std::strcmp(r.Name, name) == 0) return r.Replacement;
  return nullptr;
}

bool PointSlotAt(void** slot, void* target) {
  if (*slot == target) return true;
  DWORD old = 0;
  if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old)) return false;
  *slot = target;
  VirtualProtect(slot, sizeof(void*), old, &old);
  return true;
}

// Redirects the spooler imports of one import descriptor; the count of
// slots that now point at the buffer.
int RedirectDescriptor(BYTE* base, const IMAGE_IMPORT_DESCRIPTOR& import) {
  if (import.OriginalFirstThunk == 0) return 0;  // names unknown: leave it
  auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import.OriginalFirstThunk);
  auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import.FirstThunk);
  int redirected = 0;
  for (; names->u1.AddressOfData != 0; ++names, ++slots) {
    if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
    auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
    void* replacement = ReplacementFor(reinterpret_cast<const char*>(byName->Name));
    if (replacement && PointSlotAt(reinterpret_cast<void**>(&slots->u1.Function), replacement)) ++redirected;
  }
  return redirected;
}

}  // namespace

bool InstallDriverOutputBuffer(const wchar_t* driverModule) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(driverModule));
  if (base == nullptr) return false;
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return false;
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0) return false;
  std::lock_guard<std::mutex> hold(gOutputLock);
  int redirected = 0;
  for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); import->Name != 0;
       ++import) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), "winspool.drv") == 0)
      redirected += RedirectDescriptor(base, *import);
  }
  return redirected > 0;
}

}  // namespace driveroutput
