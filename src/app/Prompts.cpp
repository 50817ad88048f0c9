#include "app/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QQueue>
#include <memory>

namespace {

struct CPromptState {
  bool m_bTestMode = false;
  QQueue<QMessageBox::StandardButton> m_buttons;
  QQueue<QString> m_paths;
  QList<CPromptHooks::CShownMessage> m_shown;
  QStringList m_questions;
};

CPromptState& State() {
  static CPromptState state;
  return state;
}

// A prompt nobody answered in advance is cancelled; the warning points at the test that forgot.
QString TakePath() {
  if (State().m_paths.isEmpty()) {
    qWarning("Unanswered file or folder prompt: cancelled");
    return QString();
  }
  return State().m_paths.dequeue();
}

const QString kProjectFilter = QStringLiteral("Kyv Files (*.KYV)");

}  // namespace

void CPromptHooks::SetTestMode(bool on) { State().m_bTestMode = on; }
bool CPromptHooks::IsTestMode() { return State().m_bTestMode; }

void CPromptHooks::Reset() {
  State().m_buttons.clear();
  State().m_paths.clear();
  State().m_shown.clear();
  State().m_questions.clear();
}

void CPromptHooks::QueueButton(QMessageBox::StandardButton button) {
  State().m_buttons.enqueue(button);
}
void CPromptHooks::QueuePath(const QString& path) { State().m_paths.enqueue(path); }

const QList<CPromptHooks::CShownMessage>& CPromptHooks::ShownMessages() { return State().m_shown; }

QStringList CPromptHooks::ShownTexts() {
  QStringList texts;
  for (const CShownMessage& message : State().m_shown) texts.append(message.m_sText);
  return texts;
}

const QStringList& CPromptHooks::AskedQuestions() { return State().m_questions; }

void CMessageBoxService::ShowMessage(MessageStyle style, const QString& caption,
                                     const QString& text) {
  if (CPromptHooks::IsTestMode()) {
    State().m_shown.append({style, caption, text});
    return;
  }
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  if (style == MessageStyle::Error) icon = QMessageBox::Critical;
  if (style == MessageStyle::Warning) icon = QMessageBox::Warning;
  QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

namespace {

// A question with the given buttons; in test mode the next queued answer (cancel when none).
QMessageBox::StandardButton Ask(QWidget* parent, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton,
                                const QString& caption = kAppTitle) {
  if (CPromptHooks::IsTestMode()) {
    State().m_questions.append(text);
    if (State().m_buttons.isEmpty()) {
      qWarning("Unanswered question \"%s\": cancelled", qPrintable(text));
      return QMessageBox::Cancel;
    }
    return State().m_buttons.dequeue();
  }
  const std::unique_ptr<QMessageBox> box = QuestionBox(parent, caption, text, buttons);
  box->setDefaultButton(defaultButton);
  return static_cast<QMessageBox::StandardButton>(box->exec());
}

}  // namespace

std::unique_ptr<QMessageBox> QuestionBox(QWidget* parent, const QString& caption,
                                         const QString& text,
                                         QMessageBox::StandardButtons buttons) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, caption, text, buttons, parent);
  // The platform's button texts carry no access keys on every system; these do, each its own.
  const QList<std::pair<QMessageBox::StandardButton, QString>> texts = {
      {QMessageBox::Save, QStringLiteral("&Save")},
      {QMessageBox::Discard, QStringLiteral("&Don't Save")},
      {QMessageBox::Cancel, QStringLiteral("&Cancel")},
      {QMessageBox::Yes, QStringLiteral("&Yes")},
      {QMessageBox::No, QStringLiteral("&No")}};
  for (const auto& [which, label] : texts)
    if (QAbstractButton* button = box->button(which)) button->setText(label);
  return box;
}

bool CMessageBoxService::AskYesNo(const QString& caption, const QString& text) {
  return Ask(QApplication::activeWindow(), text, QMessageBox::Yes | QMessageBox::No,
             QMessageBox::No, caption) == QMessageBox::Yes;
}

QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& projectTitle) {
  return Ask(parent, QStringLiteral("Save changes to %1?").arg(projectTitle),
             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
}

bool AskOverwriteChangedFile(QWidget* parent, const QString& path) {
  const QString text = QStringLiteral(
                           "%1 has been changed by another program since it was opened or last "
                           "saved.\n\nReplace it with this project, losing those changes?")
                           .arg(path);
  return Ask(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool AskReloadChangedFile(QWidget* parent, const QString& path) {
  const QString text = QStringLiteral(
                           "%1 has been changed by another program.\n\nReload it, losing the "
                           "changes you made here since it was last saved?")
                           .arg(path);
  return Ask(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QString PromptSaveFileName(QWidget* parent, const QString& proposedPath) {
  if (CPromptHooks::IsTestMode()) return TakePath();
  QFileDialog dialog(parent, QStringLiteral("Save As"), proposedPath, kProjectFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("KYV"));
  dialog.selectFile(proposedPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QString PromptExportFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                             const QString& filter, const QString& suffix) {
  if (CPromptHooks::IsTestMode()) return TakePath();
  QFileDialog dialog(parent, caption, proposedPath, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(proposedPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

QString PromptOpenFileName(QWidget* parent, const QString& startFolder) {
  if (CPromptHooks::IsTestMode()) return TakePath();
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), startFolder,
                                      kProjectFilter + QStringLiteral(";;All Files (*)"));
}

QString PickFolder(QWidget* parent, const QString& startFolder) {
  const QString chosen = CPromptHooks::IsTestMode()
                             ? TakePath()
                             : QFileDialog::getExistingDirectory(parent, QString(), startFolder);
  return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}
