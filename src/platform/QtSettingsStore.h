#pragma once

#include <QSettings>

#include "platform/Platform.h"

// The per-user store: organisation "Local AppWizard-Generated Applications", application "Kyv",
// group "Workspace" (the registry key of the same names on Windows).
class CQtSettingsStore : public CSettingsStore {
 public:
  CQtSettingsStore();

  QString ReadString(const QString& name, const QString& defaultValue) const override;
  void WriteString(const QString& name, const QString& value) override;
  int ReadInt(const QString& name, int defaultValue) const override;
  void WriteInt(const QString& name, int value) override;

  static const QString kOrganisation;
  static const QString kApplication;
  static const QString kGroup;

 private:
  QString Key(const QString& name) const;

  mutable QSettings m_settings;
};
