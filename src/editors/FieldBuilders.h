#pragma once

#include <functional>

#include "editors/EditorField.h"

// Short forms for the dialog fields an editor lists. Group, hint and handler are set on the
// result where a control has them.
CEditorField TextField(const QString& key, const QString& label, const QString& help,
                       QString* member);
CEditorField RadioField(const QString& key, const QString& caption, const QStringList& radios,
                        const QString& help, int* member);
CEditorField CheckField(const QString& key, const QString& label, const QString& help,
                        bool* member);
CEditorField SliderField(const QString& key, const QString& label, int min, int max,
                         const QString& help, int* member);
CEditorField DisplayField(const QString& key, const QString& label, QString* member);
CEditorField ButtonField(const QString& key, const QString& label, std::function<void()> pressed);
CEditorField NoteField(const QString& key, const QString& text);

// A copy placed in a group box.
CEditorField InGroup(CEditorField field, const QString& group);
