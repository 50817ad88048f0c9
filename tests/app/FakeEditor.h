#pragma once

#include "editors/ObjectEditor.h"
#include "model/TextConversion.h"

// Where the fake keeps its values in the record.
namespace FakeSlots {
inline constexpr CTextSlot BasePin = Slot::BasePin;
inline constexpr CTextSlot Speed = Slot::String;
inline constexpr CIntSlot Bus = Slot::IntParam(0);
inline constexpr CIntSlot Filter = Slot::IntParam(1);
inline constexpr CIntSlot Level = Slot::IntParam(2);
inline constexpr CFlagSlot Scan = Slot::FlagParam(0);
}  // namespace FakeSlots

// An editor with one control of every kind, for testing the dialog without the real kinds.
// OK writes the base pin, refuses pins above 56, and claims the pin as "Fake".
class CFakeEditor : public CObjectEditor {
 public:
  QString m_sBasePin;
  QString m_sSpeed;
  int m_nBus = 0;
  int m_nFilter = 0;
  bool m_bScan = false;
  int m_nLevel = 0;
  QString m_sLevelText;
  QString m_sResult;
  QString m_sGroupText;
  bool m_bGroupCheck = false;
  int m_nCalculations = 0;

  CFakeEditor() : CObjectEditor(OBJ_SIMPLE_VGA) {}
  QString Title() const override { return QStringLiteral("Fake Driver"); }
  QString DefaultNameFormat() const override { return QStringLiteral("Fake%d"); }

  QList<CEditorField> Fields() override {
    // The description is listed like a display; the dialog shows it in its own box.
    CEditorField description;
    description.m_kind = FieldKind::Display;
    description.m_sKey = QStringLiteral("descriptionText");
    description.m_pText = &m_sDescription;
    QList<CEditorField> fields{description, NameField()};
    CEditorField pin;
    pin.m_sKey = QStringLiteral("basepin");
    pin.m_sLabel = QStringLiteral("Basepin:");
    pin.m_sHint = QStringLiteral("Must be a multiple of 4");
    pin.m_pText = &m_sBasePin;
    fields.append(pin.StoredIn(FakeSlots::BasePin));

    CEditorField speed;
    speed.m_kind = FieldKind::ComboText;
    speed.m_sKey = QStringLiteral("speed");
    speed.m_sLabel = QStringLiteral("Speed (kHz):");
    speed.m_items = {QStringLiteral("100"), QStringLiteral("400"), QStringLiteral("1000")};
    speed.m_pText = &m_sSpeed;
    fields.append(speed.StoredIn(FakeSlots::Speed));

    CEditorField bus;
    bus.m_kind = FieldKind::ComboIndex;
    bus.m_sKey = QStringLiteral("bus");
    bus.m_sLabel = QStringLiteral("I2C Bus:");
    bus.m_items = {QStringLiteral("I2CBus1"), QStringLiteral("I2CBus2")};
    bus.m_pIndex = &m_nBus;
    fields.append(bus.StoredIn(FakeSlots::Bus));

    CEditorField filter;
    filter.m_kind = FieldKind::Radio;
    filter.m_sKey = QStringLiteral("filter");
    filter.m_sLabel = QStringLiteral("Filter");
    filter.m_items = {QStringLiteral("Sampling"), QStringLiteral("SINC2"), QStringLiteral("SINC3")};
    filter.m_pIndex = &m_nFilter;
    // Each filter allows a different slider range; choosing one moves the slider to its top.
    filter.m_onChanged = [this] {
      m_nLevel = LevelMax();
      UpdateLevelText();
    };
    fields.append(filter.StoredIn(FakeSlots::Filter));

    CEditorField level;
    level.m_kind = FieldKind::Slider;
    level.m_sKey = QStringLiteral("level");
    level.m_sLabel = QStringLiteral("Level:");
    level.m_nMin = 1;
    level.m_nMax = LevelMax();
    level.m_pIndex = &m_nLevel;
    level.m_onChanged = [this] { UpdateLevelText(); };
    fields.append(level.StoredIn(FakeSlots::Level));

    CEditorField levelText;
    levelText.m_kind = FieldKind::Display;
    levelText.m_sKey = QStringLiteral("levelText");
    levelText.m_pText = &m_sLevelText;
    fields.append(levelText);

    CEditorField scan;
    scan.m_kind = FieldKind::Check;
    scan.m_sKey = QStringLiteral("scan");
    scan.m_sLabel = QStringLiteral("Keyboard & Mouse scan");
    scan.m_pFlag = &m_bScan;
    fields.append(scan.StoredIn(FakeSlots::Scan));

    CEditorField calculate;
    calculate.m_kind = FieldKind::Button;
    calculate.m_sKey = QStringLiteral("calculate");
    calculate.m_sLabel = QStringLiteral("Calculate");
    calculate.m_onChanged = [this] {
      ++m_nCalculations;
      m_sResult = QStringLiteral("pin %1").arg(TextToInt(m_sBasePin));
    };
    fields.append(calculate);

    CEditorField groupText;
    groupText.m_sKey = QStringLiteral("groupText");
    groupText.m_sLabel = QStringLiteral("WXPIN:");
    groupText.m_sHint = QStringLiteral("hexidecimal");
    groupText.m_sGroup = QStringLiteral("Results");
    groupText.m_pText = &m_sGroupText;
    fields.append(groupText);

    CEditorField result;
    result.m_kind = FieldKind::Display;
    result.m_sKey = QStringLiteral("result");
    result.m_sLabel = QStringLiteral("Result:");
    result.m_sGroup = QStringLiteral("Results");
    result.m_pText = &m_sResult;
    fields.append(result);

    CEditorField groupCheck;
    groupCheck.m_kind = FieldKind::Check;
    groupCheck.m_sKey = QStringLiteral("groupCheck");
    groupCheck.m_sLabel = QStringLiteral("Grouped check");
    groupCheck.m_sGroup = QStringLiteral("Results");
    groupCheck.m_pFlag = &m_bGroupCheck;
    fields.append(groupCheck);

    CEditorField note;
    note.m_kind = FieldKind::Note;
    note.m_sKey = QStringLiteral("note");
    note.m_sLabel = QStringLiteral("Note:  R & D only.");
    fields.append(note);
    return fields;
  }

  int LevelMax() const { return m_nFilter == 0 ? 13 : (m_nFilter == 1 ? 10 : 8); }

 protected:
  QString DescriptionText() const override {
    return QStringLiteral("A fake editor.\r\nIt has every control.");
  }
  void LoadDefaults() override {
    m_sBasePin = QStringLiteral("48");
    m_sSpeed = QStringLiteral("100");
    m_nBus = 0;
    m_nFilter = 0;
    m_bScan = true;
    m_nLevel = 13;
    UpdateLevelText();
  }
  void AfterRecordLoaded() override { UpdateLevelText(); }
  // The speed must be a number; a refusal points at its control.
  bool CheckControls() override {
    if (!m_sSpeed.isEmpty() && m_sSpeed[0].isDigit()) return true;
    Messages().ShowPlain(QStringLiteral("Enter an integer."));
    m_sFocusKey = QStringLiteral("speed");
    return false;
  }
  bool DoOK() override {
    WriteCommonRecord();
    const int pin = TextToInt(m_sBasePin);
    if (static_cast<unsigned>(pin) > 56)
      return Reject(
          QStringLiteral("Pin %1 is out of range, please set to between 0 and 56.").arg(pin));
    return ClaimBlock(pin, {{pin, QStringLiteral("Fake")}}, &m_sBasePin, 1, 56);
  }

 private:
  void UpdateLevelText() { m_sLevelText = QString::number(1 << m_nLevel); }
};
