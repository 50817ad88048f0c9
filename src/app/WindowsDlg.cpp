#include "app/WindowsDlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

CWindowsDlg::CWindowsDlg(QMdiArea& area, QWidget* parent) : QDialog(parent), m_area(area) {
  setWindowTitle(QStringLiteral("Windows"));
  auto* row = new QHBoxLayout(this);
  m_pWindows = new QListWidget;
  m_pWindows->setSelectionMode(QAbstractItemView::ExtendedSelection);
  row->addWidget(m_pWindows, 1);
  auto* buttons = new QVBoxLayout;
  auto* activate = new QPushButton(QStringLiteral("&Activate"));
  auto* close = new QPushButton(QStringLiteral("&Close Window(s)"));
  auto* ok = new QPushButton(QStringLiteral("OK"));
  buttons->addWidget(activate);
  buttons->addWidget(close);
  buttons->addStretch();
  buttons->addWidget(ok);
  row->addLayout(buttons);
  connect(activate, &QPushButton::clicked, this, &CWindowsDlg::OnActivate);
  connect(m_pWindows, &QListWidget::itemDoubleClicked, this, &CWindowsDlg::OnActivate);
  connect(close, &QPushButton::clicked, this, &CWindowsDlg::OnCloseWindows);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  resize(420, 260);
  Fill();
}

void CWindowsDlg::Fill() {
  m_pWindows->clear();
  for (QMdiSubWindow* window : m_area.subWindowList()) {
    QString title = window->windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window->isWindowModified() ? QStringLiteral("*") : QString());
    title.replace(QStringLiteral("&&"), QStringLiteral("&"));
    auto* item = new QListWidgetItem(title, m_pWindows);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<QObject*>(window)));
    item->setSelected(window == m_area.currentSubWindow());
  }
}

void CWindowsDlg::OnActivate() {
  const QList<QListWidgetItem*> selected = m_pWindows->selectedItems();
  if (selected.isEmpty()) return;
  auto* window =
      qobject_cast<QMdiSubWindow*>(selected.constFirst()->data(Qt::UserRole).value<QObject*>());
  if (window) m_area.setActiveSubWindow(window);
  accept();
}

void CWindowsDlg::OnCloseWindows() {
  for (QListWidgetItem* item : m_pWindows->selectedItems()) {
    auto* window = qobject_cast<QMdiSubWindow*>(item->data(Qt::UserRole).value<QObject*>());
    // A window whose project asks to be saved and is cancelled stays open and listed.
    if (window && window->close()) delete item;
  }
}
