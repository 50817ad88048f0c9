#pragma once

class CKyvDoc;
class QWidget;

enum class PinReportFormat { Csv, Html };

// File > Export Pin Report: asks where to write the project's pin report (beside the project
// file, "<project>-pins.csv" or ".html", proposed) and writes it atomically, the same bytes as
// "kyv-cli report". A failed write is reported and leaves an earlier file as it was.
void ExportPinReport(QWidget* parent, CKyvDoc& doc, PinReportFormat format);
