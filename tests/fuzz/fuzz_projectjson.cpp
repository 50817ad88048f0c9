// libFuzzer entry point for the JSON import: any text must either import or fail with an error,
// without crashing, leaking or allocating more than the input can justify. What ProjectFromJson
// builds is checked as kyv-cli import checks it; what passes must save, read back to the same
// bytes, come back to those bytes through its own JSON form, generate the main file's text
// without a character generation would refuse, and survive deleting every object.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cli/ImportChecks.h"
#include "codegen/MainFileSections.h"
#include "codegen/SingleByteCheck.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"
#include "platform/SystemClock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  CSystemClock clock;
  CPlatform platform;
  platform.m_pClock = &clock;
  QString error;
  auto doc = ProjectFromJson(json, platform, &error);
  if (!doc) {
    if (error.isEmpty()) std::abort();
    return 0;
  }
  if (!ImportedProjectProblem(*doc).isEmpty()) return 0;

  const QByteArray saved = KyvFileBytes(*doc);
  auto again = ReadKyvBytes(saved, platform, &error);
  if (!again || KyvFileBytes(*again) != saved) std::abort();
  auto fromJson = ProjectFromJson(ProjectToJson(*doc), platform, &error);
  if (!fromJson || KyvFileBytes(*fromJson) != saved) std::abort();

  if (!FindUnwritableText(*doc)) {
    QString text;
    WriteMainFileHeader(*doc, text);
    WriteObjectConstants(*doc, text);
    WriteObjBlock(*doc, text);
    WriteVarBlock(*doc, text);
    WriteMainRoutine(*doc, text);
    WriteLoopRoutine(*doc, text);
    WriteSetupRoutine(*doc, text);
    WriteHelperRoutines(*doc, text);
  }
  while (!doc->m_ObjectList.empty()) doc->DeleteObject(doc->m_ObjectList.front().get());
  return 0;
}
