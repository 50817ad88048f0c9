#pragma once

#include <QTabWidget>

#include "model/KyvDoc.h"

class CCodeView;
class CDocumentHistory;
class CFlexSpinView;
class CObjectView;
class CPinGrid;
class CPinMapView;
class CPinsView;

// The view of every project window: a tab strip over the pages of one document.
class CKyvView : public QTabWidget {
  Q_OBJECT

 public:
  enum Page { kSettingsPage = 0, kObjectPage = 1, kPinsPage = 2, kPinMapPage = 3, kCodePage = 4 };

  // The pages record what the user changes in the project's undo history.
  CKyvView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent = nullptr);

  // Each page takes the document's state once; the settings page first.
  void OnInitialUpdate();

  CKyvDoc& Document() const { return m_doc; }
  CDocumentHistory& History() const { return m_history; }
  CFlexSpinView* SettingsView() const { return m_pSettings; }
  CObjectView* ObjectView() const { return m_pObjects; }
  CPinsView* PinsView() const { return m_pPins; }
  CPinMapView* PinMapView() const { return m_pPinMap; }
  CCodeView* CodeView() const { return m_pCode; }
  // Brings the Code page forward showing file at line, marked as the line of an error.
  void ShowCodeAt(const QString& file, int line);
  // The grid the clipboard commands act on: the pin grid while its page is shown, else nullptr.
  CPinGrid* ClipboardGrid() const;

  // The "Edit" context menu at a global position.
  void ShowEditMenu(const QPoint& globalPos);

 signals:
  // The user changed the document through one of the pages, or undid or redid a change.
  void modified();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  CKyvDoc& m_doc;
  CDocumentHistory& m_history;
  CFlexSpinView* m_pSettings = nullptr;
  CObjectView* m_pObjects = nullptr;
  CPinsView* m_pPins = nullptr;
  CPinMapView* m_pPinMap = nullptr;
  CCodeView* m_pCode = nullptr;
};
