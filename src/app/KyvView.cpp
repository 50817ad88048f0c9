#include "app/KyvView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTabBar>

#include "app/CodeView.h"
#include "app/DocumentHistory.h"
#include "app/FlexSpinView.h"
#include "app/ObjectView.h"
#include "app/PinGrid.h"
#include "app/PinMapView.h"
#include "app/PinsView.h"
#include "app/WidgetText.h"

namespace {

// Tab colours: the first page and the active page have their own; the others take the
// strip's automatic colours in order.
const char* const kTabStyle =
    "QTabBar::tab { padding: 5px 14px; margin-right: 2px; border: 1px solid #8c8c8c;"
    " border-bottom: none; border-top-left-radius: 4px; border-top-right-radius: 4px;"
    " color: black; }"
    "QTabBar::tab:first { background: rgb(200, 250, 250); }"
    "QTabBar::tab:middle { background: rgb(255, 219, 117); }"
    "QTabBar::tab:last { background: rgb(189, 205, 159); }"
    "QTabBar::tab:selected { background: rgb(250, 250, 200); font-weight: bold; }";

}  // namespace

CKyvView::CKyvView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent)
    : QTabWidget(parent), m_doc(doc), m_history(history) {
  setDocumentMode(true);
  m_pSettings = new CFlexSpinView(doc, history);
  m_pObjects = new CObjectView(doc, history);
  m_pPins = new CPinsView(doc, history);
  addTab(m_pSettings, LiteralWidgetText(QStringLiteral("P2 & FlexSpin")));
  addTab(m_pObjects, LiteralWidgetText(QStringLiteral("Object List")));
  addTab(m_pPins, LiteralWidgetText(QStringLiteral("I/O Pin View")));
  // The picture of the same table, beside it.
  m_pPinMap = new CPinMapView(doc);
  addTab(m_pPinMap, QStringLiteral("Pin Map"));
  // The main file as it would be generated, and the files on disk.
  m_pCode = new CCodeView(doc);
  addTab(m_pCode, QStringLiteral("Code"));
  tabBar()->setStyleSheet(QString::fromLatin1(kTabStyle));
  tabBar()->setExpanding(false);
  setCurrentIndex(kSettingsPage);

  connect(m_pSettings, &CFlexSpinView::modified, this, &CKyvView::modified);
  connect(m_pObjects, &CObjectView::modified, this, &CKyvView::modified);
  connect(m_pPins, &CPinsView::modified, this, &CKyvView::modified);
  connect(&history, &CDocumentHistory::restored, this, &CKyvView::modified);
  // A typed setting refreshes no views, yet changes the generated text.
  connect(this, &CKyvView::modified, this, [this] { m_pCode->OnUpdate(); });
  // A pin of the map shows its holder in the object list and its row in the pin table; a
  // double-click opens the holder's editor.
  connect(m_pPinMap, &CPinMapView::pinClicked, this, [this](int pin, const QString& holder) {
    m_pObjects->SelectObjectNamed(holder);
    m_pPins->SelectPin(pin);
  });
  connect(m_pPinMap, &CPinMapView::pinDoubleClicked, this, [this](int pin, const QString& holder) {
    m_pPins->SelectPin(pin);
    if (m_pObjects->SelectObjectNamed(holder)) m_pObjects->OnEditObject();
  });
}

void CKyvView::OnInitialUpdate() {
  m_pSettings->OnInitialUpdate();
  m_pObjects->OnInitialUpdate();
  m_pPins->OnInitialUpdate();
}

void CKyvView::ShowCodeAt(const QString& file, int line) {
  setCurrentIndex(kCodePage);
  m_pCode->ShowFileAtLine(file, line);
}

CPinGrid* CKyvView::ClipboardGrid() const {
  return currentIndex() == kPinsPage ? m_pPins->Grid() : nullptr;
}

void CKyvView::ShowEditMenu(const QPoint& globalPos) {
  CPinGrid* grid = ClipboardGrid();
  QMenu menu(this);
  QUndoStack* steps = m_history.Stack();
  QAction* undo = steps->createUndoAction(&menu);
  QAction* redo = steps->createRedoAction(&menu);
  undo->setShortcuts(QKeySequence::Undo);
  redo->setShortcuts(QKeySequence::Redo);
  menu.addActions({undo, redo});
  menu.addSeparator();
  QAction* cut = menu.addAction(QStringLiteral("Cu&t"));
  QAction* copy = menu.addAction(QStringLiteral("&Copy"));
  QAction* paste = menu.addAction(QStringLiteral("&Paste"));
  cut->setShortcut(QKeySequence::Cut);
  copy->setShortcut(QKeySequence::Copy);
  paste->setShortcut(QKeySequence::Paste);
  for (QAction* action : {cut, copy, paste}) action->setEnabled(grid != nullptr);
  // Undo and redo act when triggered; the clipboard commands act on the grid.
  QAction* chosen = menu.exec(globalPos);
  if (!grid || !chosen) return;
  if (chosen == cut) grid->Cut();
  if (chosen == copy) grid->Copy();
  if (chosen == paste) grid->Paste();
}

void CKyvView::contextMenuEvent(QContextMenuEvent* event) {
  ShowEditMenu(event->globalPos());
  event->accept();
}
