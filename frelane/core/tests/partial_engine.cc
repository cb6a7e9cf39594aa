// A stand-in engine library for the binding's tests: it exports only two of the five
// calls, so a test can see a call bound by name and a missing entry point reported.
#include <cstdint>
#include <cstring>

#define PARTIAL_ENGINE_EXPORT extern "C" __attribute__((visibility("default")))

// Answers the length of the path it was given, so a test sees the text arrived whole.
PARTIAL_ENGINE_EXPORT std::int32_t Tolv_InitializeTolv(const char* data_path) {
  return data_path == nullptr ? -1 : static_cast<std::int32_t>(std::strlen(data_path));
}

PARTIAL_ENGINE_EXPORT std::int32_t Tolv_EndTolv() { return 0; }
