#include "editors/SimpleSound.h"

#include "editors/EditorMessages.h"
#include "model/TextConversion.h"

namespace {
constexpr int kHighestPin = 63;
constexpr int kDefaultLeftPin = 54;
}  // namespace

QList<CEditorField> CSimpleSound::Fields() {
  return {
      DescriptionField(),
      NameField(QStringLiteral("Object Name:")),
      CEditorField::Text(QStringLiteral("Left I/O Pin:"), QStringLiteral("left audio pin, 0 to 63"),
                         &m_sLeftPin, QStringLiteral("This is basepin+6 with Parallax A/V adapter"))
          .StoredIn(SoundSlots::LeftPin),
      CEditorField::Text(QStringLiteral("Right I/O Pin:"),
                         QStringLiteral("right audio pin, 0 to 63"), &m_sRightPin,
                         QStringLiteral("This is basepin+7 with Parallax A/V adapter"))
          .StoredIn(SoundSlots::RightPin),
      CEditorField::Check(QStringLiteral("Play pyr.mod music file at start"),
                          QStringLiteral("the program plays the music file at start-up"),
                          &m_bPlayMusic)
          .StoredIn(SoundSlots::PlayMusic),
      CEditorField::Check(QStringLiteral("Play random sound effects"),
                          QStringLiteral("the program's loop plays random effects"),
                          &m_bPlayEffects)
          .StoredIn(SoundSlots::PlayEffects),
  };
}

void CSimpleSound::LoadDefaults() {
  // Left and right stay neighbours, as on the A/V adapter.
  const int left = ProposedBase(kDefaultLeftPin, 2, 1, kHighestPin - 1);
  m_sLeftPin = QString::number(left);
  m_sRightPin = QString::number(left + 1);
  m_bPlayMusic = true;
  m_bPlayEffects = true;
}

bool CSimpleSound::DoOK() {
  WriteCommonRecord();
  (*m_pObject)[Slot::PinCount] = 1;

  CPinClaim claim(*m_pDoc, m_sName);
  const int left = TextToInt(m_sLeftPin);
  if (PinOutside(left, kHighestPin))
    return RejectField(&m_sLeftPin, PinOutOfRangeMessage(left, kHighestPin));
  if (claim.IsHeldByOther(left)) return RejectField(&m_sLeftPin, claim.InUseMessage(left));
  const int right = TextToInt(m_sRightPin);
  if (PinOutside(right, kHighestPin))
    return RejectField(&m_sRightPin, PinOutOfRangeMessage(right, kHighestPin), MessageStyle::Plain);
  if (claim.IsHeldByOther(right)) return RejectField(&m_sRightPin, claim.InUseMessage(right));

  claim.Commit(
      {{left, QStringLiteral("Simple Sound Left")}, {right, QStringLiteral("Simple Sound Right")}});
  return true;
}
