#include "app/OpenExampleDlg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/ChildFrame.h"
#include "app/KyvApp.h"
#include "app/KyvView.h"
#include "app/MainFrame.h"
#include "app/Prompts.h"

COpenExampleDlg::COpenExampleDlg(QWidget* parent) : QDialog(parent), m_examples(ExampleProjects()) {
  setWindowTitle(QStringLiteral("Open Example"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("Pick an example project. Kyv saves a copy of it where you choose and opens "
                     "the copy, so the example stays as it is. Give the copy a folder of its own: "
                     "\"1: Generate Code\" writes the program's files beside it."));
  intro->setWordWrap(true);
  layout->addWidget(intro);

  m_pList = new QListWidget;
  m_pList->setObjectName(QStringLiteral("examples"));
  m_pList->setWordWrap(true);
  m_pList->setSpacing(3);
  for (const CExampleProject& example : m_examples) {
    auto* item =
        new QListWidgetItem(example.m_sName + QStringLiteral(": ") + example.m_sDescription);
    item->setToolTip(example.ProjectFileName());
    m_pList->addItem(item);
  }
  m_pList->setCurrentRow(0);
  layout->addWidget(m_pList);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  QPushButton* open =
      buttons->addButton(QStringLiteral("&Open a Copy..."), QDialogButtonBox::AcceptRole);
  open->setDefault(true);
  open->setEnabled(!m_examples.isEmpty());
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_pList, &QListWidget::itemActivated, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(560, 420);
}

const CExampleProject* COpenExampleDlg::Chosen() const {
  const int row = m_pList->currentRow();
  return result() == QDialog::Accepted && row >= 0 && row < m_examples.size() ? &m_examples[row]
                                                                              : nullptr;
}

CKyvDoc* OpenExampleCopy(CKyvApp& app) {
  CMainFrame* frame = app.MainFrame();
  COpenExampleDlg dialog(frame);
  dialog.exec();
  const CExampleProject* example = dialog.Chosen();
  if (!example) return nullptr;

  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString proposed = QDir(documents).filePath(example->ProjectFileName());
  const QString target = PromptExportFileName(
      frame, QStringLiteral("Save a Copy of the %1 Example").arg(example->m_sName), proposed,
      QStringLiteral("Kyv Files (*.KYV)"), QStringLiteral("KYV"));
  if (target.isEmpty()) return nullptr;

  CMessageService& messages = *app.Platform().m_pMessages;
  for (const CKyvDoc* open : app.Documents()) {
    if (!open->GetPathName().isEmpty() && QFileInfo(open->GetPathName()) == QFileInfo(target)) {
      messages.ShowWarning(kAppTitle,
                           QStringLiteral("%1 is open in Kyv. Close it first, or save the copy "
                                          "under another name.")
                               .arg(QDir::toNativeSeparators(target)));
      return nullptr;
    }
  }
  const QString error = CopyExampleProject(*example, target);
  if (!error.isEmpty()) {
    messages.ShowWarning(kAppTitle, error);
    return nullptr;
  }
  CKyvDoc* doc = app.OpenDocumentFile(target);
  // An example is about its objects: show them first.
  if (doc)
    for (CChildFrame* opened : app.FramesOf(*doc))
      opened->View()->setCurrentIndex(CKyvView::kObjectPage);
  return doc;
}
