// A stand-in print helper library: keeps the whole of its last call's
// arguments for the test that loaded it.
#include <cstdint>
#include <cstdio>
#include <string>

namespace {
std::string lastCall;
}

extern "C" __declspec(dllexport) void __stdcall Execute(const char* PrinterName, std::int32_t Copies,
                                                        std::int32_t Mode, long double Width, long double Length,
                                                        const char* Pages) {
  char numbers[128];
  std::snprintf(numbers, sizeof numbers, ";%d;%d;%.3f;%.3f;", static_cast<int>(Copies), static_cast<int>(Mode),
                static_cast<double>(Width), static_cast<double>(Length));
  lastCall = std::string(PrinterName) + numbers + Pages;
}

extern "C" __declspec(dllexport) const char* LastCall() { return lastCall.c_str(); }
