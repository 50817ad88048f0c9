#include "app/ChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "app/KyvApp.h"
#include "app/KyvView.h"
#include "app/ObjectView.h"
#include "app/ProblemsPane.h"
#include "app/WidgetText.h"
#include "model/KyvDoc.h"

CChildFrame::CChildFrame(CKyvDoc& doc, CKyvApp& app) : m_doc(doc), m_app(app) {
  setAttribute(Qt::WA_DeleteOnClose);
  // The main window's Close command owns the close keys (Ctrl+W, Ctrl+F4); the window menu's
  // own copy of them would make each key ambiguous, and then neither would act.
  if (QMenu* menu = systemMenu())
    for (QAction* action : menu->actions())
      for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Close))
        if (action->shortcuts().contains(key)) action->setShortcuts({});
  m_pView = new CKyvView(doc, app.History(doc));
  m_pProblems = new CProblemsPane(*m_pView);
  // The pane opens as tall as its findings need (see FitProblemsPane) and can be dragged down
  // out of the way.
  auto* split = m_pSplit = new QSplitter(Qt::Vertical);
  split->addWidget(m_pView);
  split->addWidget(m_pProblems);
  split->setStretchFactor(0, 1);
  split->setCollapsible(0, false);
  setWidget(split);
  connect(m_pView, &CKyvView::modified, this, [this] {
    m_app.RefreshTitles(m_doc);
    // A typed setting refreshes no views; every window of the project checks again.
    for (CChildFrame* frame : m_app.FramesOf(m_doc)) frame->RefreshFindings();
  });
  m_app.RegisterFrame(this);
  m_pView->OnInitialUpdate();
  m_app.RefreshTitles(m_doc);
}

void CChildFrame::RefreshFindings() {
  m_pProblems->Refresh();
  m_pView->ObjectView()->RefreshFindings();
}

CChildFrame::~CChildFrame() {
  // The pages and the pane detach from the document before it may go with its last window.
  delete widget();
  m_pView = nullptr;
  m_pProblems = nullptr;
  m_app.UnregisterFrame(this);
}

void CChildFrame::UpdateTitle(int windowNumber) {
  QString title = m_doc.GetTitle();
  if (windowNumber > 0) title += QStringLiteral(":%1").arg(windowNumber);
  setWindowTitle(LiteralWidgetText(title) + QStringLiteral("[*]"));
  setWindowModified(m_doc.IsModified());
}

void CChildFrame::showEvent(QShowEvent* event) {
  QMdiSubWindow::showEvent(event);
  if (std::exchange(m_bPaneFitted, true)) return;
  // Once the window is laid out, so that the findings wrap at the list's own width.
  QTimer::singleShot(0, this, &CChildFrame::FitProblemsPane);
}

void CChildFrame::FitProblemsPane() {
  const int total = m_pSplit->height();
  if (!m_pProblems || total <= 0) return;
  const int wanted = std::max(m_pProblems->sizeHint().height(), m_pProblems->HeightForFindings());
  const int pane = std::min(wanted, total / 3);
  m_pSplit->setSizes({total - pane, pane});
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (m_app.CanCloseFrame(*this))
    event->accept();
  else
    event->ignore();
}
