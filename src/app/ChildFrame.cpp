#include "app/ChildFrame.h"

#include <QCloseEvent>

#include "app/KyvApp.h"
#include "app/KyvView.h"
#include "app/WidgetText.h"
#include "model/KyvDoc.h"

CChildFrame::CChildFrame(CKyvDoc& doc, CKyvApp& app) : m_doc(doc), m_app(app) {
  setAttribute(Qt::WA_DeleteOnClose);
  m_pView = new CKyvView(doc, app.History(doc));
  setWidget(m_pView);
  connect(m_pView, &CKyvView::modified, this, [this] { m_app.RefreshTitles(m_doc); });
  m_app.RegisterFrame(this);
  m_pView->OnInitialUpdate();
  m_app.RefreshTitles(m_doc);
}

CChildFrame::~CChildFrame() {
  // The pages detach from the document before it may go with its last window.
  delete m_pView;
  m_pView = nullptr;
  m_app.UnregisterFrame(this);
}

void CChildFrame::UpdateTitle(int windowNumber) {
  QString title = m_doc.GetTitle();
  if (windowNumber > 0) title += QStringLiteral(":%1").arg(windowNumber);
  setWindowTitle(LiteralWidgetText(title) + QStringLiteral("[*]"));
  setWindowModified(m_doc.IsModified());
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  if (m_app.CanCloseFrame(*this))
    event->accept();
  else
    event->ignore();
}
