// libFuzzer entry point: any byte string must either load or fail with the format error,
// without crashing, leaking or allocating more than the input can justify. What loads must
// save, read back to the same bytes, come back to the same bytes through the JSON form, and
// survive deleting every object (hostile pin texts and counts included).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/KyvFile.h"
#include "model/ProjectJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  CPlatform platform;
  QString error;
  auto doc = ReadKyvBytes(bytes, platform, &error);
  if (!doc) {
    if (error != kUnexpectedFileFormat) std::abort();
    return 0;
  }
  const QByteArray saved = KyvFileBytes(*doc);
  auto again = ReadKyvBytes(saved, platform, &error);
  if (!again || KyvFileBytes(*again) != saved) std::abort();
  auto fromJson = ProjectFromJson(ProjectToJson(*doc), platform, &error);
  if (!fromJson || KyvFileBytes(*fromJson) != saved) std::abort();
  while (!doc->m_ObjectList.empty()) doc->DeleteObject(doc->m_ObjectList.front().get());
  return 0;
}
