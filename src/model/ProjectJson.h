#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "model/KyvDoc.h"

// The project as JSON text: the same data as a .KYV file plus m_nSdDriver, lossless in both
// directions. Document keys are the member names without "m_" and the type letter, first letter
// lower-cased (m_sClockFreq -> clockFreq). "pins" maps pin numbers to {used, usedBy, usedFor,
// notes}, "typeCount" kind codes to counters, "objects" is the object list in order. Indexed
// slots are written as objects keyed by decimal index that list only the non-default entries.

// UTF-8 JSON text of the project.
QByteArray ProjectToJson(const CKyvDoc& doc);

// Builds a project from JSON text. It starts as File New makes one (profile values from the
// platform's settings store) and takes every value the text gives; a present "pins" is the whole
// table, a present "typeCount" all counters. Indexed slots may also be full JSON arrays. Missing
// object keys keep the zeroed record's value. Any unknown key, wrong type or index out of range
// gives nullptr and an error naming the key ("objects[2].nParam.64: index out of range 0..63").
std::unique_ptr<CKyvDoc> ProjectFromJson(const QByteArray& json, const CPlatform& platform,
                                         QString* error);
