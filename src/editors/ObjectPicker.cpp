#include "editors/ObjectPicker.h"

#include "editors/EditorFactory.h"

const std::vector<CPickerButton>& CObjectPicker::Buttons() {
  static const std::vector<CPickerButton> buttons = {
      {QStringLiteral("Simple VGA 8bpp"), QStringLiteral("Add a simple VGA 8bpp driver object"),
       OBJ_SIMPLE_VGA, 0, 0},
      {QStringLiteral("Simple QVGA 16bpp"), QStringLiteral("Add a simple QVGA 16bpp driver object"),
       OBJ_SIMPLE_QVGA, 0, 1},
      {QStringLiteral("Simple HDMI 8bpp"), QStringLiteral("Add a simple HDMI 8bpp driver object"),
       OBJ_SIMPLE_HDMI, 0, 2},
      {QStringLiteral("Tiled 1080p 2bpp"),
       QStringLiteral("Add a tiled 1080p 2bpp VGA driver object"), OBJ_TILED_1080P, 0, 3},
      {QStringLiteral("I2C Bus & Scanner"),
       QStringLiteral("Add an I2C Bus Driver and Scanner object"), OBJ_I2C_BUS, 1, 0},
      {QStringLiteral("I2C RTC"), QStringLiteral("Add an I2C Real Time Clock (RTC) object"),
       OBJ_RTC, 1, 1},
      {QStringLiteral("RGB LED String"), QStringLiteral("Add an Neopixel String Driver object"),
       OBJ_NEOPIXEL, 2, 0},
      {QStringLiteral("NCO (Square Wave)"), QStringLiteral("Add an NCO (Square Wave) object"),
       OBJ_NCO, 3, 0},
      {QStringLiteral("Simple Sound"),
       QStringLiteral("Add a Simple Sound Stereo Music and Effects object"), OBJ_SIMPLE_SOUND, 4,
       0},
      {QStringLiteral("Servo"), QStringLiteral("Add a Hobby Servo Control via PWM object"),
       OBJ_SERVO, 5, 0},
      {QStringLiteral("Smart Digital I/O Pin"),
       QStringLiteral("Add a Smart Digital I/O Pin object"), OBJ_DIGITAL_IO, 6, 0},
      {QStringLiteral("Global Digital Filters"),
       QStringLiteral("Add a Global Digital Filters object"), OBJ_DIGITAL_FILTERS, 6, 1},
      {QStringLiteral("DAC Analog Output"), QStringLiteral("Add a Digital to Analog (DAC) object"),
       OBJ_DAC, 7, 0},
      {QStringLiteral("ADC Analog Input"), QStringLiteral("Add an Analog to Digital (ADC) object"),
       OBJ_ADC, 8, 0},
      {QStringLiteral("USB Keyboard & Mouse"),
       QStringLiteral("Add a USB Keyboard and/or Mouse object"), OBJ_USB_KBM, 9, 0},
      {QStringLiteral("Camera (DVP bus)"), QStringLiteral("Add a Camera (DVP bus) object"),
       OBJ_CAMERA, 10, 0},
  };
  return buttons;
}

const CPickerButton* CObjectPicker::ButtonOf(int kind) {
  for (const CPickerButton& button : Buttons())
    if (button.m_nKind == kind) return &button;
  return nullptr;
}

bool CObjectPicker::IsSingleInstanceKind(int kind) {
  return kind == OBJ_SIMPLE_VGA || kind == OBJ_SIMPLE_QVGA || kind == OBJ_SIMPLE_HDMI ||
         kind == OBJ_NEOPIXEL || kind == OBJ_SIMPLE_SOUND;
}

bool CObjectPicker::HasObjectOfKind(ObjectType kind) const {
  for (const auto& object : m_pDoc->m_ObjectList)
    if (object->m_nType == kind) return true;
  return false;
}

QString CObjectPicker::Refusal(int kind) const {
  if (kind == OBJ_RTC && !HasObjectOfKind(OBJ_I2C_BUS))
    return QStringLiteral("Error.  No I2C busses found.  Please add I2C Bus object first.");
  if (kind == OBJ_CAMERA) {
    if (!HasObjectOfKind(OBJ_I2C_BUS))
      return QStringLiteral(
          "Error.  No I2C busses found.  Please add I2C Bus and QVGA objects first.");
    if (!HasObjectOfKind(OBJ_SIMPLE_QVGA))
      return QStringLiteral(
          "Error.  No QVGA object found.  Please add I2C Bus and QVGA objects first.");
  }
  if (IsSingleInstanceKind(kind)) {
    for (const auto& object : m_pDoc->m_ObjectList) {
      if (object->m_nType != kind) continue;
      return QStringLiteral(
                 "This project already holds %1 (%2).  The generated program can hold "
                 "only one object of this kind.")
          .arg(object->m_sName, KindDisplayName(kind));
    }
  }
  return QString();
}

std::unique_ptr<CObjectEditor> CObjectPicker::Press(int kind) {
  const QString refusal = Refusal(kind);
  if (!refusal.isEmpty()) {
    m_pDoc->Messages().ShowPlain(refusal);
    return nullptr;
  }
  std::unique_ptr<CObjectEditor> editor = CreateEditor(kind);
  if (!editor) {
    m_pDoc->Messages().ShowPlain(QStringLiteral("This object kind is not available yet."));
    return nullptr;
  }
  editor->Open(m_pObject, m_pDoc, CObjectEditor::kNewMode);
  return editor;
}
