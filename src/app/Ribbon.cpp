#include "app/Ribbon.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;

}  // namespace

CRibbonPanel::CRibbonPanel(const QString& caption, QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 2, 4, 2);
  column->setSpacing(2);
  m_pButtons = new QHBoxLayout;
  m_pButtons->setSpacing(2);
  column->addLayout(m_pButtons, 1);
  m_pCaption = new QLabel(caption);
  m_pCaption->setAlignment(Qt::AlignCenter);
  m_pCaption->setForegroundRole(QPalette::WindowText);
  column->addWidget(m_pCaption);
}

QString CRibbonPanel::Caption() const {
  QString text = m_pCaption->text();
  return text.remove(u'&');
}

QToolButton* CRibbonPanel::AddButton(QAction* action, bool large) {
  auto* button = new QToolButton;
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  if (large) {
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(kLargeIcon, kLargeIcon));
    button->setMinimumWidth(64);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_pButtons->addWidget(button);
  } else {
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(kSmallIcon, kSmallIcon));
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    if (!m_pSmallColumn) {
      m_pSmallColumn = new QWidget;
      auto* small = new QVBoxLayout(m_pSmallColumn);
      small->setContentsMargins(0, 0, 0, 0);
      small->setSpacing(0);
      small->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      m_pButtons->addWidget(m_pSmallColumn);
    }
    static_cast<QVBoxLayout*>(m_pSmallColumn->layout())->addWidget(button);
  }
  if (!m_pCaption->buddy()) m_pCaption->setBuddy(button);
  return button;
}

QToolButton* CRibbonPanel::AddLargeButton(QAction* action) { return AddButton(action, true); }
QToolButton* CRibbonPanel::AddSmallButton(QAction* action) { return AddButton(action, false); }

QToolButton* CRibbonPanel::AddMenuButton(const QString& text, const QIcon& icon, QMenu* menu) {
  auto* button = new QToolButton;
  button->setText(text);
  button->setIcon(icon);
  button->setMenu(menu);
  button->setPopupMode(QToolButton::InstantPopup);
  button->setAutoRaise(true);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setIconSize(QSize(kLargeIcon, kLargeIcon));
  button->setMinimumWidth(64);
  button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
  m_pButtons->addWidget(button);
  if (!m_pCaption->buddy()) m_pCaption->setBuddy(button);
  return button;
}

CRibbonBar::CRibbonBar(QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("ribbon"));
  setDocumentMode(true);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  m_pCorner = new QWidget;
  m_pCornerLayout = new QHBoxLayout(m_pCorner);
  m_pCornerLayout->setContentsMargins(2, 0, 8, 0);
  m_pCornerLayout->setSpacing(1);
  setCornerWidget(m_pCorner, Qt::TopLeftCorner);
}

void CRibbonBar::SetApplicationMenu(const QString& text, QMenu* menu) {
  m_pApplicationButton = new QToolButton;
  m_pApplicationButton->setObjectName(QStringLiteral("applicationButton"));
  m_pApplicationButton->setText(text);
  m_pApplicationButton->setMenu(menu);
  m_pApplicationButton->setPopupMode(QToolButton::InstantPopup);
  m_pApplicationButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
  SetWindows7Appearance(m_bWindows7);
  m_pCornerLayout->insertWidget(0, m_pApplicationButton);
  m_pCornerLayout->insertSpacing(1, 6);
}

void CRibbonBar::SetWindows7Appearance(bool on) {
  m_bWindows7 = on;
  if (!m_pApplicationButton) return;
  m_pApplicationButton->setStyleSheet(
      on ? QStringLiteral("QToolButton { background: rgb(25, 110, 200); color: white;"
                          " padding: 3px 14px; border: none; }"
                          "QToolButton::menu-indicator { image: none; }")
         : QStringLiteral(
               "QToolButton { background: rgb(40, 90, 170); color: white; font-weight: bold;"
               " padding: 3px 12px; border-radius: 3px; }"
               "QToolButton::menu-indicator { image: none; }"));
}

void CRibbonBar::AddQuickAccessAction(QAction* action) {
  auto* button = new QToolButton;
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button->setIconSize(QSize(kSmallIcon, kSmallIcon));
  m_pCornerLayout->addWidget(button);
}

QWidget* CRibbonBar::AddCategory(const QString& caption) {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(4, 4, 4, 2);
  row->setSpacing(0);
  row->addStretch();
  addTab(page, caption);
  return page;
}

CRibbonPanel* CRibbonBar::AddPanel(QWidget* category, const QString& caption) {
  auto* row = static_cast<QHBoxLayout*>(category->layout());
  auto* panel = new CRibbonPanel(caption);
  const int stretchAt = row->count() - 1;
  if (stretchAt > 0) {
    auto* separator = new QFrame;
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    row->insertWidget(stretchAt, separator);
  }
  row->insertWidget(row->count() - 1, panel);
  return panel;
}
