// A fuzz target that finds something only when told to, so the fuzz run's
// self-check can see a finding fail the run: DOZURI_FUZZ_FINDING=crash
// aborts on the first input, =leak loses a block on it; unset, it does
// nothing. Its name does not end in _fuzz, so the real run leaves it out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t size) {
  static const char* const finding = std::getenv("DOZURI_FUZZ_FINDING");
  if (finding == nullptr)
    return 0;
  if (std::strcmp(finding, "crash") == 0)
    std::abort();
  if (std::strcmp(finding, "leak") == 0) {
    void* lost = std::malloc(size + 16);
    // Keeps the allocation from being optimised away.
    asm volatile("" : : "r"(lost) : "memory");
  }
  return 0;
}
