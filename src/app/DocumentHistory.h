#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUndoStack>

class CKyvDoc;

// The undo history of one project, shared by all its windows. Every step holds the project's
// file bytes before and after the change, so any change of what the file saves (objects, pins,
// notes, counters, settings) is undone the same way, and what the file does not save (path,
// title, main file, SD driver choice) stays as it is. The modified mark follows the history:
// the project is modified whenever it stands at another step than the one last saved.
class CDocumentHistory : public QObject {
  Q_OBJECT

 public:
  explicit CDocumentHistory(CKyvDoc& doc, QObject* parent = nullptr);

  QUndoStack* Stack() { return &m_stack; }

  // Files everything the document's file would now hold differently, since the last recorded
  // step, as one step named `name` ("Delete SimpleVGA1"). Nothing is filed when nothing saved
  // has changed. Consecutive steps with the same mergeKey (>= 0) become one step, so that typing
  // a value is undone at once; one that ends where it began disappears.
  void Record(const QString& name, int mergeKey = -1);

  // Changes recorded while a group is open become one step under the outermost group's name
  // (a paste into many notes). Use CHistoryGroup.
  void BeginGroup(const QString& name);
  void EndGroup();

  // The document was just saved: this step is the one without the modified mark.
  void MarkSaved();

 signals:
  // Undo or redo put another state into the document; its views are refreshed already.
  void restored();

 private:
  friend class CSnapshotCommand;
  // Loads the saved members from bytes this history recorded.
  void Restore(const QByteArray& bytes);
  void OnIndexChanged();

  CKyvDoc& m_doc;
  QUndoStack m_stack;
  QByteArray m_lastBytes;  // the document's file bytes at the current step
  QString m_sGroupName;
  int m_nGroupDepth = 0;
  bool m_bRestoring = false;
};

// Keeps a history group open for its lifetime.
class CHistoryGroup {
 public:
  CHistoryGroup(CDocumentHistory& history, const QString& name) : m_history(history) {
    m_history.BeginGroup(name);
  }
  ~CHistoryGroup() { m_history.EndGroup(); }
  CHistoryGroup(const CHistoryGroup&) = delete;
  CHistoryGroup& operator=(const CHistoryGroup&) = delete;

 private:
  CDocumentHistory& m_history;
};
