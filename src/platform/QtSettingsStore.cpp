#include "platform/QtSettingsStore.h"

const QString CQtSettingsStore::kOrganisation =
    QStringLiteral("Local AppWizard-Generated Applications");
const QString CQtSettingsStore::kApplication = QStringLiteral("Kyv");
const QString CQtSettingsStore::kGroup = QStringLiteral("Workspace");

CQtSettingsStore::CQtSettingsStore() : m_settings(kOrganisation, kApplication) {}

QString CQtSettingsStore::Key(const QString& name) const { return kGroup + u'/' + name; }

QString CQtSettingsStore::ReadString(const QString& name, const QString& defaultValue) const {
  const QVariant value = m_settings.value(Key(name));
  return value.isValid() ? value.toString() : defaultValue;
}

void CQtSettingsStore::WriteString(const QString& name, const QString& value) {
  m_settings.setValue(Key(name), value);
  m_settings.sync();
}

int CQtSettingsStore::ReadInt(const QString& name, int defaultValue) const {
  bool ok = false;
  const int value = m_settings.value(Key(name)).toInt(&ok);
  return ok ? value : defaultValue;
}

void CQtSettingsStore::WriteInt(const QString& name, int value) {
  m_settings.setValue(Key(name), value);
  m_settings.sync();
}
