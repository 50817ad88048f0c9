#pragma once

#include <QString>

class CKyvDoc;

// The status bar's texts for a project: "12 objects, 31 of 64 pins used" and "P2 clock 160 MHz".
QString ProjectSummary(const CKyvDoc& doc);
QString ClockSummary(const CKyvDoc& doc);
