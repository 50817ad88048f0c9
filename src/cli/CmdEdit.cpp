#include <QPair>

#include "cli/CliCommands.h"
#include "editors/EditorFactory.h"
#include "editors/ObjectPicker.h"
#include "model/KindRegistry.h"
#include "model/KyvFile.h"
#include "model/ProjectLock.h"

namespace {

const QString kAdd = QStringLiteral("add");
const QString kEdit = QStringLiteral("edit");
const QString kDelete = QStringLiteral("delete");

// A kind from its short name or its picker button's text (either in any case); -1 if neither.
int KindFromName(const QString& name) {
  if (const CKindInfo* kind = FindKindByAlias(name)) return kind->m_nKind;
  for (const CPickerButton& button : CObjectPicker::Buttons())
    if (name.compare(button.m_sText, Qt::CaseInsensitive) == 0) return button.m_nKind;
  return -1;
}

QString AliasOf(int kind) {
  const CKindInfo* info = FindKind(kind);
  return info ? info->m_aliases.value(0) : QString();
}

// The short kind names in the picker's order.
QString KindList() {
  QStringList aliases;
  for (const CPickerButton& button : CObjectPicker::Buttons())
    aliases.append(AliasOf(button.m_nKind));
  return aliases.join(QStringLiteral(", "));
}

using CSetting = QPair<QString, QString>;  // key, value

// Splits "--set KEY=VALUE" pairs. Returns false with the problem in error.
bool ParseSettings(const QStringList& args, QList<CSetting>* settings, QString* error) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] != u"--set") {
      *error = QStringLiteral("unexpected argument \"%1\"").arg(args[i]);
      return false;
    }
    if (++i == args.size()) {
      *error = QStringLiteral("--set needs KEY=VALUE");
      return false;
    }
    const qsizetype equals = args[i].indexOf(u'=');
    if (equals <= 0) {
      *error = QStringLiteral("--set needs KEY=VALUE, not \"%1\"").arg(args[i]);
      return false;
    }
    settings->append({args[i].left(equals), args[i].mid(equals + 1)});
  }
  return true;
}

// Applies the values in order, as a user filling in the dialog would. Returns "" or the
// problem, naming the key.
QString ApplySettings(CObjectEditor& editor, const QList<CSetting>& settings) {
  for (const CSetting& setting : settings) {
    // Fields are fetched anew for every value: a change may alter the dialog.
    QList<CEditorField> fields = editor.Fields();
    CEditorField* field = nullptr;
    for (CEditorField& candidate : fields) {
      if (candidate.m_sKey != setting.first || !candidate.IsSettable()) continue;
      field = &candidate;
      break;
    }
    if (!field)
      return QStringLiteral("unknown key \"%1\" for %2").arg(setting.first, editor.Title());
    if (field->m_bReadOnlyInEdit && editor.IsNameReadOnly())
      return QStringLiteral("%1 cannot be changed when editing an object").arg(setting.first);
    QString error;
    if (!field->SetFromText(setting.second, &error)) return error;
  }
  return QString();
}

QString DefaultText(const CEditorField& field, const CObjectEditor& editor) {
  if (field.m_sKey == u"name")
    return QString(editor.DefaultNameFormat()).replace(QStringLiteral("%d"), QStringLiteral("<n>"));
  if (field.m_kind != FieldKind::ComboIndex && field.m_kind != FieldKind::Radio)
    return field.ValueText();
  const int index = field.ValueText().toInt();
  if (index < 0 || index >= field.m_items.size())
    return field.m_items.isEmpty() ? QStringLiteral("the first entry") : QStringLiteral("none");
  if (field.TakesItemTextOnly()) return field.m_items[index];
  return QStringLiteral("%1 (%2)").arg(index).arg(field.m_items[index]);
}

// kind comes from KindFromName, so it has an editor.
int PrintKindHelp(int kind, CCliContext& context) {
  std::unique_ptr<CObjectEditor> editor = CreateEditor(kind);
  CKyvDoc doc(context.m_platform);
  doc.OnNewDocument();
  CCodeObject record;
  editor->Open(&record, &doc, CObjectEditor::kNewMode);

  QTextStream& out = context.m_out;
  out << editor->Title() << QStringLiteral(" (kyv-cli add FILE.KYV ") << AliasOf(kind)
      << QStringLiteral(" --set KEY=VALUE ...)\n\nKeys:\n");
  for (const CEditorField& field : editor->Fields()) {
    if (!field.IsSettable()) continue;
    out << QStringLiteral("  ") << field.m_sKey << u'\n';
    out << QStringLiteral("      ") << field.m_sHelp;
    if (field.m_sKey == u"name")
      out << QStringLiteral("; n counts the objects of this kind ever added, plus 1");
    out << u'\n';
    if (!field.m_items.isEmpty()) {
      QStringList items;
      for (qsizetype i = 0; i < field.m_items.size(); ++i) {
        QString item = field.m_kind == FieldKind::ComboText || field.TakesItemTextOnly()
                           ? field.m_items[i]
                           : QStringLiteral("%1 %2").arg(i).arg(field.m_items[i]);
        if (field.m_disabledItems.contains(static_cast<int>(i)))
          item += QStringLiteral(" (cannot be chosen)");
        items.append(item);
      }
      out << QStringLiteral("      values: ") << items.join(QStringLiteral(", ")) << u'\n';
    } else if (field.m_kind == FieldKind::ComboIndex) {
      out << QStringLiteral("      values: the name or the index of an entry\n");
    } else if (field.m_kind == FieldKind::Check) {
      out << QStringLiteral("      values: 0, 1, true, false\n");
    } else if (field.m_kind == FieldKind::Slider) {
      out << QStringLiteral("      values: %1 to %2\n").arg(field.m_nMin).arg(field.m_nMax);
    }
    out << QStringLiteral("      default: ") << DefaultText(field, *editor) << u'\n';
  }
  out.flush();
  return kExitOk;
}

int PrintKinds(CCliContext& context) {
  context.m_out << QStringLiteral(
                       "usage: kyv-cli add FILE.KYV KIND [--set KEY=VALUE]...\n"
                       "       kyv-cli add KIND --help\n"
                       "KIND is one of: ")
                << KindList() << QStringLiteral(", or a picker button's text.\n");
  context.m_out.flush();
  return kExitOk;
}

}  // namespace

int CmdAdd(const QStringList& args, CCliContext& context) {
  if (args.size() == 1 && args[0] == u"--help") return PrintKinds(context);
  if (args.size() == 2 && args[1] == u"--help") {
    const int kind = KindFromName(args[0]);
    if (kind < 0)
      return UsageError(kAdd, QStringLiteral("unknown KIND \"%1\"").arg(args[0]), context);
    return PrintKindHelp(kind, context);
  }
  if (args.size() < 2)
    return UsageError(kAdd, QStringLiteral("expected FILE.KYV and KIND"), context);
  const int kind = KindFromName(args[1]);
  if (kind < 0)
    return UsageError(
        kAdd, QStringLiteral("unknown KIND \"%1\"; one of %2").arg(args[1], KindList()), context);
  QList<CSetting> settings;
  QString problem;
  if (!ParseSettings(args.mid(2), &settings, &problem)) return UsageError(kAdd, problem, context);

  CProjectLock lock(args[0]);
  if (!LockProject(lock, context)) return kExitUserError;
  auto doc = OpenProject(args[0], context);
  if (!doc) return kExitUserError;
  auto record = std::make_unique<CCodeObject>();
  CObjectPicker picker(record.get(), doc.get());
  std::unique_ptr<CObjectEditor> editor = picker.Press(kind);
  if (!editor) return kExitUserError;  // the picker said why
  problem = ApplySettings(*editor, settings);
  if (!problem.isEmpty()) return UsageError(kAdd, problem, context);
  picker.EditorClosed(editor->OnOK());
  if (picker.GetResult() != CObjectPicker::Result::OK) return kExitUserError;

  doc->AddObject(std::move(record));
  return SaveProject(*doc, args[0], context) ? kExitOk : kExitUserError;
}

int CmdEdit(const QStringList& args, CCliContext& context) {
  if (args.size() < 2)
    return UsageError(kEdit, QStringLiteral("expected FILE.KYV and NAME"), context);
  QList<CSetting> settings;
  QString problem;
  if (!ParseSettings(args.mid(2), &settings, &problem)) return UsageError(kEdit, problem, context);

  CProjectLock lock(args[0]);
  if (!LockProject(lock, context)) return kExitUserError;
  auto doc = OpenProject(args[0], context);
  if (!doc) return kExitUserError;
  CCodeObject* object = doc->FindObject(args[1]);
  if (!object) {
    context.m_err << QStringLiteral("No object named \"%1\" in %2.").arg(args[1], args[0])
                  << Qt::endl;
    return kExitUserError;
  }
  std::unique_ptr<CObjectEditor> editor = CreateEditor(object->m_nType);
  if (!editor) {
    context.m_err << QStringLiteral("%1 has the unknown kind code %2 and cannot be edited.")
                         .arg(object->m_sName)
                         .arg(object->m_nType)
                  << Qt::endl;
    return kExitUserError;
  }
  editor->Open(object, doc.get(), CObjectEditor::kEditMode);
  problem = ApplySettings(*editor, settings);
  if (!problem.isEmpty()) return UsageError(kEdit, problem, context);
  if (!editor->OnOK()) return kExitUserError;  // nothing is saved: the file stays as it was

  return SaveProject(*doc, args[0], context) ? kExitOk : kExitUserError;
}

int CmdDelete(const QStringList& args, CCliContext& context) {
  if (args.size() != 2)
    return UsageError(kDelete, QStringLiteral("expected FILE.KYV and NAME"), context);
  CProjectLock lock(args[0]);
  if (!LockProject(lock, context)) return kExitUserError;
  auto doc = OpenProject(args[0], context);
  if (!doc) return kExitUserError;
  CCodeObject* object = doc->FindObject(args[1]);
  if (!object) {
    context.m_err << QStringLiteral("No object named \"%1\" in %2.").arg(args[1], args[0])
                  << Qt::endl;
    return kExitUserError;
  }
  doc->DeleteObject(object);
  return SaveProject(*doc, args[0], context) ? kExitOk : kExitUserError;
}
