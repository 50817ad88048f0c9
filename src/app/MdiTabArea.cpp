#include "app/MdiTabArea.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

CMdiTabArea::CMdiTabArea(QWidget* parent) : QMdiArea(parent) {
  setViewMode(QMdiArea::TabbedView);
  setTabsClosable(true);
  setTabsMovable(true);
  setDocumentMode(true);
  setTabShape(QTabWidget::Rounded);

  m_pDocumentList = new QToolButton(this);
  m_pDocumentList->setObjectName(QStringLiteral("documentList"));
  m_pDocumentList->setArrowType(Qt::DownArrow);
  m_pDocumentList->setAutoRaise(true);
  m_pDocumentList->setToolTip(QStringLiteral("Open windows"));
  m_pDocumentList->setPopupMode(QToolButton::InstantPopup);
  m_pDocumentList->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
  m_pDocumentList->setMenu(new QMenu(m_pDocumentList));
  connect(m_pDocumentList->menu(), &QMenu::aboutToShow, this, &CMdiTabArea::FillDocumentMenu);

  if (QTabBar* bar = TabBar()) {
    bar->setElideMode(Qt::ElideRight);
    bar->setExpanding(false);
    bar->installEventFilter(this);
    connect(bar, &QTabBar::currentChanged, this, &CMdiTabArea::ShowCloseButtonOnActiveTab);
  }
  connect(this, &QMdiArea::subWindowActivated, this, [this] {
    // Tabs are added after the window is activated: settle once the strip is rebuilt.
    QTimer::singleShot(0, this, [this] {
      ShowCloseButtonOnActiveTab();
      PlaceDocumentListButton();
    });
  });
  PlaceDocumentListButton();
}

QTabBar* CMdiTabArea::TabBar() const {
  return findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly);
}

void CMdiTabArea::ShowCloseButtonOnActiveTab() {
  QTabBar* bar = TabBar();
  if (!bar) return;
  for (int i = 0; i < bar->count(); ++i) {
    for (QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide})
      if (QWidget* button = bar->tabButton(i, side)) button->setVisible(i == bar->currentIndex());
  }
}

void CMdiTabArea::PlaceDocumentListButton() {
  QTabBar* bar = TabBar();
  const bool hasTabs = bar && bar->isVisible() && bar->count() > 0;
  m_pDocumentList->setVisible(hasTabs);
  if (!hasTabs) return;
  const int height = bar->height();
  const int width = height;
  // The strip stops short of the button so that the two never overlap.
  if (bar->geometry().right() >= this->width() - width - frameWidth()) {
    QRect strip = bar->geometry();
    strip.setRight(this->width() - width - frameWidth() - 1);
    bar->setGeometry(strip);
  }
  m_pDocumentList->setGeometry(this->width() - width - frameWidth(), bar->y(), width, height);
  m_pDocumentList->raise();
}

bool CMdiTabArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TabBar() && (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
                              event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
    QTimer::singleShot(0, this, &CMdiTabArea::PlaceDocumentListButton);
  }
  return QMdiArea::eventFilter(watched, event);
}

void CMdiTabArea::resizeEvent(QResizeEvent* event) {
  QMdiArea::resizeEvent(event);
  PlaceDocumentListButton();
}

void CMdiTabArea::FillDocumentMenu() {
  QMenu* menu = m_pDocumentList->menu();
  menu->clear();
  const QList<QMdiSubWindow*> windows = subWindowList();
  for (QMdiSubWindow* window : windows) {
    QString title = window->windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window->isWindowModified() ? QStringLiteral("*") : QString());
    // The window title already shows a literal "&" doubled.
    QAction* action = menu->addAction(title);
    action->setCheckable(true);
    action->setChecked(window == currentSubWindow());
    connect(action, &QAction::triggered, this, [this, window] { setActiveSubWindow(window); });
  }
}
