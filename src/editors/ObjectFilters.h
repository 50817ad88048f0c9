#pragma once

#include <array>

#include "editors/ObjectEditor.h"

// The hub's four global digital filters: a length and a tap code each, and which of them the
// generated program sets. Holds no pin, so OK never fails.
class CObjectFilters : public CObjectEditor {
 public:
  static constexpr int kFilterCount = FiltersSlots::kFilterCount;

  std::array<bool, kFilterCount> m_bSet{};    // "Set Filter #n"
  std::array<int, kFilterCount> m_nLength{};  // 0..3 for lengths 2, 3, 5, 8
  std::array<int, kFilterCount> m_nTap{};     // slider positions 0..31
  std::array<QString, kFilterCount> m_sTap;   // the taps as shown below the sliders

  CObjectFilters() : CObjectEditor(OBJ_DIGITAL_FILTERS) {}
  QList<CEditorField> Fields() override;

  // Any tap slider moved: all four tap texts follow their sliders.
  void OnSliderMoved();

 protected:
  void LoadDefaults() override;
  void AfterRecordLoaded() override;
  bool DoOK() override;
};
