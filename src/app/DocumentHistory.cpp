#include "app/DocumentHistory.h"

#include <QUndoCommand>

#include "model/Archive.h"
#include "model/KyvDoc.h"
#include "model/KyvFile.h"

// One step: the document's file bytes before and after it.
class CSnapshotCommand : public QUndoCommand {
 public:
  CSnapshotCommand(CDocumentHistory& history, const QString& name, QByteArray before,
                   QByteArray after, int mergeKey)
      : QUndoCommand(name),
        m_history(history),
        m_before(std::move(before)),
        m_after(std::move(after)),
        m_nMergeKey(mergeKey) {}

  int id() const override { return m_nMergeKey; }

  bool mergeWith(const QUndoCommand* other) override {
    // Equal ids mean another step of this class.
    m_after = static_cast<const CSnapshotCommand*>(other)->m_after;
    setObsolete(m_after == m_before);
    return true;
  }

  void undo() override { m_history.Restore(m_before); }

  void redo() override {
    // The stack redoes a step as it takes it, but the document holds that state already.
    if (m_bApplied) {
      m_bApplied = false;
      return;
    }
    m_history.Restore(m_after);
  }

 private:
  CDocumentHistory& m_history;
  QByteArray m_before;
  QByteArray m_after;
  int m_nMergeKey;
  bool m_bApplied = true;
};

CDocumentHistory::CDocumentHistory(CKyvDoc& doc, QObject* parent)
    : QObject(parent), m_doc(doc), m_lastBytes(KyvFileBytes(doc)) {
  m_stack.setClean();
  connect(&m_stack, &QUndoStack::indexChanged, this, &CDocumentHistory::OnIndexChanged);
}

void CDocumentHistory::Record(const QString& name, int mergeKey) {
  if (m_nGroupDepth > 0) return;  // the group files everything when it closes
  QByteArray now = KyvFileBytes(m_doc);
  if (now == m_lastBytes) {
    // An editor that changed nothing may still have set the mark.
    m_doc.SetModifiedFlag(!m_stack.isClean());
    return;
  }
  QByteArray before = std::exchange(m_lastBytes, now);
  m_stack.push(new CSnapshotCommand(*this, name, std::move(before), std::move(now), mergeKey));
  // A merge that ends where it began leaves the index where it was.
  m_doc.SetModifiedFlag(!m_stack.isClean());
}

void CDocumentHistory::BeginGroup(const QString& name) {
  if (m_nGroupDepth++ == 0) m_sGroupName = name;
}

void CDocumentHistory::EndGroup() {
  if (m_nGroupDepth == 0 || --m_nGroupDepth > 0) return;
  Record(m_sGroupName);
}

void CDocumentHistory::MarkSaved() {
  // A change that reached the document without being recorded gets its own step, so that the
  // saved step holds exactly what the file holds.
  Record(QStringLiteral("Change Project"));
  m_stack.setClean();
  m_doc.SetModifiedFlag(false);
}

void CDocumentHistory::Restore(const QByteArray& bytes) {
  // These bytes were written by the same Serialize a moment ago, so they read back whole.
  CArchive archive(bytes);
  m_doc.Serialize(archive);
  m_lastBytes = bytes;
  m_bRestoring = true;
}

void CDocumentHistory::OnIndexChanged() {
  m_doc.SetModifiedFlag(!m_stack.isClean());
  if (!std::exchange(m_bRestoring, false)) return;
  m_doc.UpdateAllViews();
  emit restored();
}
