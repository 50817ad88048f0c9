// libFuzzer entry point: any byte string must either load or fail with the format error,
// without crashing, leaking or allocating more than the input can justify.
#include "model/KyvFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  CPlatform platform;
  QString error;
  auto doc = ReadKyvBytes(bytes, platform, &error);
  if (doc) (void)KyvFileBytes(*doc);
  return 0;
}
