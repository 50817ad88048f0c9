#include "app/CodeView.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStringDecoder>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "app/CodeEditor.h"
#include "app/FindBar.h"
#include "app/Prompts.h"
#include "app/Spin2Highlighter.h"
#include "app/ToolCommands.h"
#include "codegen/BuildScripts.h"
#include "codegen/GeneratedText.h"
#include "codegen/MainFile.h"
#include "codegen/TextDiff.h"
#include "model/AtomicFile.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kGenerateButton = u"\"1: Generate Code\""_s;
constexpr int kRebuildDelayMs = 250;

}  // namespace

CCodeView::CCodeView(CKyvDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  auto* row = new QHBoxLayout;
  auto* sourceLabel = new QLabel(u"&Show:"_s);
  m_pSource = new QComboBox;
  m_pSource->setObjectName(u"codeSource"_s);
  m_pSource->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  sourceLabel->setBuddy(m_pSource);
  m_pEdit = new QPushButton(u"&Edit"_s);
  m_pEdit->setObjectName(u"codeEdit"_s);
  m_pEdit->setCheckable(true);
  m_pSave = new QPushButton(u"Sa&ve File"_s);
  m_pSave->setObjectName(u"codeSave"_s);
  m_pSave->setToolTip(u"Writes the edited file (Ctrl+S while editing)."_s);
  m_pSave->setEnabled(false);
  row->addWidget(sourceLabel);
  row->addWidget(m_pSource);
  row->addWidget(m_pEdit);
  row->addWidget(m_pSave);
  row->addStretch(1);
  column->addLayout(row);
  m_pNote = new QLabel;
  m_pNote->setObjectName(u"codeNote"_s);
  m_pNote->setTextFormat(Qt::PlainText);
  m_pNote->setWordWrap(true);
  column->addWidget(m_pNote);
  m_pEditor = new CCodeEditor;
  m_pEditor->setObjectName(u"codeText"_s);
  m_pEditor->setReadOnly(true);
  m_pEditor->setContextMenuPolicy(Qt::CustomContextMenu);
  m_pEditor->installEventFilter(this);
  new CSpin2Highlighter(m_pEditor->document());
  column->addWidget(m_pEditor, 1);
  m_pFind = new CFindBar(*m_pEditor);
  column->addWidget(m_pFind);

  auto* find = new QShortcut(QKeySequence::Find, this);
  find->setContext(Qt::WidgetWithChildrenShortcut);
  connect(find, &QShortcut::activated, m_pFind, &CFindBar::Open);
  m_pRebuild = new QTimer(this);
  m_pRebuild->setSingleShot(true);
  m_pRebuild->setInterval(kRebuildDelayMs);
  connect(m_pRebuild, &QTimer::timeout, this, &CCodeView::RebuildPreview);
  connect(m_pSource, &QComboBox::activated, this, [this] {
    const QString chosen = m_pSource->currentData().toString();
    if (chosen == m_sShownFile) return;
    if (!MayDropEdits()) {
      FillSources();
      return;
    }
    ShowSource(chosen);
  });
  connect(m_pEdit, &QPushButton::toggled, this, &CCodeView::OnEditToggled);
  connect(m_pSave, &QPushButton::clicked, this, &CCodeView::Save);
  connect(m_pEditor, &QPlainTextEdit::modificationChanged, this, [this](bool changed) {
    m_pSave->setEnabled(changed && IsEditing());
    UpdateNote();
  });
  connect(m_pEditor, &QPlainTextEdit::textChanged, this, [this] {
    if (IsEditing()) m_pRebuild->start();  // the marks follow the edits
  });
  connect(m_pEditor, &QWidget::customContextMenuRequested, this, &CCodeView::ShowContextMenu);
  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
    if (m_sShownFile.isEmpty() || !QFileInfo::exists(m_sShownFile)) return;
    m_watcher.removePaths(m_watcher.directories());
    m_watcher.addPath(m_sShownFile);
    LoadShownFile();
    CompareWithPreview();
  });
  connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& file) {
    if (file != m_sShownFile) return;
    // An editor saving by replacing the file drops it from the watch list.
    if (!m_watcher.files().contains(file) && QFileInfo::exists(file)) m_watcher.addPath(file);
    if (m_pEditor->document()->isModified()) {
      m_pNote->setText(
          u"%1 was changed by another program; Save File would replace those "
          u"changes."_s.arg(QFileInfo(file).fileName()));
      return;
    }
    LoadShownFile();
    CompareWithPreview();
  });

  m_doc.AddView(this);
  FillSources();
  ShowSource(QString());
}

CCodeView::~CCodeView() { m_doc.RemoveView(this); }

QString CCodeView::MainFilePath() const {
  if (!m_doc.m_sMainFilePath.isEmpty()) return QDir::cleanPath(m_doc.m_sMainFilePath);
  if (m_doc.GetPathName().isEmpty()) return QString();
  return QFileInfo(m_doc.GetPathName())
      .dir()
      .filePath(ProjectBaseName(m_doc) + QStringLiteral(".spin2"));
}

void CCodeView::OnUpdate() {
  m_bPreviewStale = true;
  FillSources();
  if (isVisible()) m_pRebuild->start();
}

void CCodeView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RebuildPreview();
}

const QString& CCodeView::Preview() {
  if (m_bPreviewStale) {
    m_sPreview = MainFileText(m_doc);
    m_bPreviewStale = false;
  }
  return m_sPreview;
}

void CCodeView::RebuildPreview() {
  if (m_sShownFile.isEmpty())
    SetShownText(Preview());
  else
    CompareWithPreview();
}

void CCodeView::FillSources() {
  const QSignalBlocker quiet(m_pSource);
  m_pSource->clear();
  m_pSource->addItem(u"Main file as it would be generated now"_s, QString());
  const QString main = MainFilePath();
  if (!main.isEmpty()) m_pSource->addItem(u"%1 on disk"_s.arg(QFileInfo(main).fileName()), main);
  if (!m_sOtherFile.isEmpty() && m_sOtherFile != main)
    m_pSource->addItem(u"%1 (read-only)"_s.arg(QFileInfo(m_sOtherFile).fileName()), m_sOtherFile);
  const int shown = m_pSource->findData(m_sShownFile);
  m_pSource->setCurrentIndex(std::max(shown, 0));
}

void CCodeView::ShowPreview() { ShowSource(QString()); }

void CCodeView::ShowMainFile() {
  if (const QString main = MainFilePath(); !main.isEmpty()) ShowSource(main);
}

void CCodeView::ShowFileAtLine(const QString& file, int line) {
  const QString path = QDir::cleanPath(file);
  if (path != m_sShownFile && !MayDropEdits()) return;
  if (path != MainFilePath()) m_sOtherFile = path;
  ShowSource(path);
  m_pEditor->SetErrorLine(line);
  UpdateNote();
}

void CCodeView::ShowSource(const QString& file) {
  if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
  if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
  {
    const QSignalBlocker quiet(m_pEdit);
    m_pEdit->setChecked(false);
  }
  m_pEditor->setReadOnly(true);
  m_pEditor->SetErrorLine(0);
  m_sShownFile = file;
  FillSources();
  // Only the main file is the user's to change; drivers are written again by each generation.
  m_pEdit->setEnabled(!file.isEmpty() && file == MainFilePath());
  m_pEdit->setToolTip(file.isEmpty() ? u"The preview is not a file: show the main file on disk "
                                       u"to change it."_s
                      : m_pEdit->isEnabled()
                          ? u"Lets you change the file; Save File writes it."_s
                          : u"Driver files are written by each generation and shown "
                            u"read-only."_s);
  if (file.isEmpty()) {
    m_sFileProblem.clear();
    // Built when the page is shown: a project window opens without generating anything.
    if (isVisible()) SetShownText(Preview());
    return;
  }
  // A file not written yet is watched for in its folder.
  if (LoadShownFile())
    m_watcher.addPath(file);
  else if (const QString folder = QFileInfo(file).absolutePath(); QFileInfo(folder).isDir())
    m_watcher.addPath(folder);
  CompareWithPreview();
}

bool CCodeView::LoadShownFile() {
  m_sFileProblem.clear();
  QFile file(m_sShownFile);
  if (!file.exists()) {
    m_sFileProblem = m_sShownFile == MainFilePath()
                         ? u"%1 has not been generated yet: press %2 to write it."_s.arg(
                               QFileInfo(m_sShownFile).fileName(), kGenerateButton)
                         : u"%1 is no longer there."_s.arg(QDir::toNativeSeparators(m_sShownFile));
    SetShownText(QString());
    return false;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    m_sFileProblem =
        u"%1 cannot be read: %2"_s.arg(QDir::toNativeSeparators(m_sShownFile), file.errorString());
    SetShownText(QString());
    return false;
  }
  const QByteArray bytes = file.readAll();
  m_bCrLf = bytes.contains("\r\n");
  // Generated files hold one byte per character; a file that someone wrote in UTF-8 (non-ASCII
  // characters that decode as UTF-8) is kept in UTF-8.
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(bytes);
  m_bUtf8 = !utf8.hasError() && std::any_of(bytes.begin(), bytes.end(), [](char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
  });
  if (!m_bUtf8) text = QString::fromLatin1(bytes);
  text.replace(u"\r\n"_s, u"\n"_s);
  SetShownText(text);
  return true;
}

void CCodeView::SetShownText(const QString& text) {
  if (text == m_pEditor->toPlainText() && !m_pEditor->document()->isModified()) {
    UpdateNote();
    return;
  }
  // The same place stays in view as the text is replaced.
  const int scroll = m_pEditor->verticalScrollBar()->value();
  const int line = m_pEditor->textCursor().blockNumber() + 1;
  const int errorLine = m_pEditor->ErrorLine();
  m_pEditor->setPlainText(text);
  m_pEditor->document()->setModified(false);
  m_pEditor->GoToLine(line);
  m_pEditor->verticalScrollBar()->setValue(scroll);
  if (errorLine > 0) m_pEditor->SetErrorLine(0);
  UpdateNote();
}

void CCodeView::CompareWithPreview() {
  if (m_sShownFile.isEmpty() || m_sShownFile != MainFilePath() || !m_sFileProblem.isEmpty()) {
    m_pEditor->SetChanges({});
    UpdateNote();
    return;
  }
  const CTextDiff diff = DiffLines(Preview().toUtf8(), m_pEditor->toPlainText().toUtf8());
  m_pEditor->SetChanges(diff.m_changes);
  UpdateNote();
}

QString CCodeView::NoteText() const { return m_pNote->text(); }

void CCodeView::UpdateNote() {
  if (m_sShownFile.isEmpty()) {
    m_pNote->setText(
        u"What %1 would write to the main file now; nothing is written until you press it."_s.arg(
            kGenerateButton));
    return;
  }
  if (!m_sFileProblem.isEmpty()) {
    m_pNote->setText(m_sFileProblem);
    return;
  }
  const QString name = QFileInfo(m_sShownFile).fileName();
  QString note;
  if (m_sShownFile != MainFilePath()) {
    note = u"%1, read-only."_s.arg(QDir::toNativeSeparators(m_sShownFile));
  } else {
    const qsizetype changes = m_pEditor->Changes().size();
    note = changes == 0 ? u"%1 on disk is what %2 would write now."_s.arg(name, kGenerateButton)
                        : u"%1 on disk differs from what %2 would write now in %3 place%4 "
                          u"(marked)."_s.arg(name, kGenerateButton, QString::number(changes),
                                             changes == 1 ? QString() : u"s"_s);
  }
  if (m_pEditor->ErrorLine() > 0)
    note += u" The compiler's message is about line %1."_s.arg(m_pEditor->ErrorLine());
  if (m_pEditor->document()->isModified()) note += u" Edited, not saved."_s;
  m_pNote->setText(note);
}

bool CCodeView::IsEditing() const { return m_pEdit->isChecked(); }

void CCodeView::OnEditToggled(bool on) {
  if (!on && !MayDropEdits()) {
    const QSignalBlocker quiet(m_pEdit);
    m_pEdit->setChecked(true);
    return;
  }
  m_pEditor->setReadOnly(!on);
  m_pSave->setEnabled(on && m_pEditor->document()->isModified());
  if (on) m_pEditor->setFocus(Qt::OtherFocusReason);
}

bool CCodeView::MayDropEdits() {
  if (!m_pEditor->document()->isModified()) return true;
  switch (AskSaveChanges(this, QFileInfo(m_sShownFile).fileName())) {
    case QMessageBox::Save:
      return Save();
    case QMessageBox::Discard:
      LoadShownFile();
      CompareWithPreview();
      return true;
    default:
      return false;
  }
}

bool CCodeView::Save() {
  if (m_sShownFile.isEmpty() || !m_pEditor->document()->isModified()) return true;
  const QString text = m_pEditor->toPlainText();
  QByteArray bytes;
  if (m_bUtf8) {
    bytes = text.toUtf8();
    if (m_bCrLf) bytes.replace("\n", "\r\n");
  } else if (!EncodeSingleByte(text, &bytes)) {
    m_doc.Messages().ShowError(
        u"%1 was not saved: it holds a character that has no single-byte form. Replace it and "
        u"save again."_s.arg(QFileInfo(m_sShownFile).fileName()));
    return false;
  }
  // EncodeSingleByte writes "\n" as CR LF; the file keeps the line ends it had.
  if (!m_bUtf8 && !m_bCrLf) bytes.replace("\r\n", "\n");
  QString reason;
  if (!WriteFileAtomically(m_sShownFile, bytes, &reason)) {
    m_doc.Messages().ShowError(CantCreateMessage(m_sShownFile, reason));
    return false;
  }
  m_pEditor->document()->setModified(false);
  CompareWithPreview();
  return true;
}

void CCodeView::ShowContextMenu(const QPoint& position) {
  std::unique_ptr<QMenu> menu(m_pEditor->createStandardContextMenu(position));
  menu->addSeparator();
  QAction* find = menu->addAction(u"&Find...\tCtrl+F"_s);
  QAction* desktop = menu->addAction(u"Open in the &Desktop's Editor"_s);
  desktop->setEnabled(!m_sShownFile.isEmpty() && QFileInfo::exists(m_sShownFile));
  QAction* chosen = menu->exec(m_pEditor->viewport()->mapToGlobal(position));
  if (chosen == find) m_pFind->Open();
  if (chosen == desktop) {
    const QString note = CToolCommands::OpenInDesktopEditor(
        m_doc, m_sShownFile, m_pEditor->textCursor().blockNumber() + 1);
    if (!note.isEmpty()) m_pNote->setText(note);
  }
}

bool CCodeView::eventFilter(QObject* watched, QEvent* event) {
  // While editing, Ctrl+S saves the file rather than the project.
  if (watched == m_pEditor && IsEditing()) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Save)) {
      event->accept();
      return true;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Save)) {
      Save();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
