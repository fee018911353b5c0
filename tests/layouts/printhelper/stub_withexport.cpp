// A stand-in print helper: remembers the arguments of its last call.
#include <cstdint>
#include <cstdio>

namespace {
char lastCall[512] = "";
}

extern "C" __declspec(dllexport) void __stdcall Execute(const char* PrinterName, std::int32_t Copies,
                                                        std::int32_t Mode, long double Width, long double Length,
                                                        const char* Pages) {
  std::snprintf(lastCall, sizeof lastCall, "%s;%d;%d;%.3f;%.3f;%s", PrinterName, static_cast<int>(Copies),
                static_cast<int>(Mode), static_cast<double>(Width), static_cast<double>(Length), Pages);
}

extern "C" __declspec(dllexport) const char* LastCall() { return lastCall; }
