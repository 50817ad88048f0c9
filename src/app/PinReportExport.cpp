#include "app/PinReportExport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/Prompts.h"
#include "model/AtomicFile.h"
#include "model/KyvDoc.h"
#include "model/PinReport.h"

namespace {

// Beside the project file; a project without one is proposed in the documents folder.
QString ProposedPath(const CKyvDoc& doc, const QString& suffix) {
  const QString folder = doc.GetPathName().isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                             : QFileInfo(doc.GetPathName()).absolutePath();
  const QString name = QFileInfo(doc.GetTitle()).completeBaseName() + QStringLiteral("-pins.");
  return QDir(folder).filePath(name + suffix);
}

}  // namespace

void ExportPinReport(QWidget* parent, CKyvDoc& doc, PinReportFormat format) {
  const bool csv = format == PinReportFormat::Csv;
  const QString suffix = csv ? QStringLiteral("csv") : QStringLiteral("html");
  const QString path = PromptExportFileName(
      parent, QStringLiteral("Export Pin Report"), ProposedPath(doc, suffix),
      csv ? QStringLiteral("CSV Files (*.csv)") : QStringLiteral("HTML Files (*.html *.htm)"),
      suffix);
  if (path.isEmpty()) return;
  QString reason;
  if (!WriteFileAtomically(path, csv ? PinReportCsv(doc) : PinReportHtml(doc), &reason))
    doc.Messages().ShowError(
        QStringLiteral("Cannot write %1: %2.").arg(QDir::toNativeSeparators(path), reason));
}
