#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

bool AnyEnabled(const CCodeObject& object) {
  for (int k = 0; k < FiltersSlots::kFilterCount; ++k)
    if (object[FiltersSlots::Enabled(k)]) return true;
  return false;
}

void Constants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n  'Global Digital Filters\n"_s;
  for (int k = 0; k < FiltersSlots::kFilterCount; ++k) {
    if (!object[FiltersSlots::Enabled(k)]) continue;
    out += u"  "_s + name + u"_Length"_s + Dec(k) + u" = "_s + Dec(object[FiltersSlots::Length(k)]) + u"\n"_s;
    out += u"  "_s + name + u"_Tap"_s + Dec(k) + u" = "_s + Dec(object[FiltersSlots::Tap(k)]) + u"\n"_s;
  }
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  static const char16_t* const hubsetValues[FiltersSlots::kFilterCount] = {u"$40000000", u"$40000080", u"$40000100", u"$40000180"};
  if (!AnyEnabled(object)) return;
  out += u"\n'Configure HUB digital filters\n"_s;
  for (int k = 0; k < FiltersSlots::kFilterCount; ++k) {
    if (!object[FiltersSlots::Enabled(k)]) continue;
    out += u"  hubset("_s + QString::fromUtf16(hubsetValues[k]) + u" + ("_s + name + u"_Length"_s + Dec(k) +
           u" << 5) + "_s + name + u"_Tap"_s + Dec(k) + u")\n"_s;
  }
}

// The name appears only in the lines of enabled filters.
void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  if (AnyEnabled(object)) texts.append({u"Object Name:"_s, object.m_sName});
}

}  // namespace

extern const CKindBlocks kFiltersBlocks = {.m_pConstants = Constants, .m_pSetup = Setup, .m_pCopiedTexts = CopiedTexts};
// clang-format on
