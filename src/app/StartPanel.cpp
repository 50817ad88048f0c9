#include "app/StartPanel.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <iterator>
#include <tuple>

namespace {

// From an empty window to a running P2, in the order of the ribbon's steps.
const char* const kFirstSteps[] = {
    "Click New Project, then set the P2 clock and the FlexSpin and LoadP2 folders on the "
    "\"P2 & FlexSpin\" tab.",
    "On the \"Object List\" tab, click Add Object and pick a driver: its dialog proposes free "
    "pins; OK claims them.",
    "Fix what the Problems pane lists; the Pin Map shows who holds each pin.",
    "On the \"P2 Code Generator\" tab: 1: Generate Code, 2: Compile, 3: Load P2.",
};

QLabel* Heading(const QString& text) {
  auto* label = new QLabel(text);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  label->setFont(font);
  return label;
}

}  // namespace

CStartPanel::CStartPanel(QAction* newProject, QAction* openProject, QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("startPanel"));
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);

  auto* column = new QVBoxLayout;
  column->addWidget(Heading(QStringLiteral("Start")));
  auto* buttons = new QHBoxLayout;
  for (const auto& [action, text, name] :
       {std::tuple{newProject, QStringLiteral("&New Project"), QStringLiteral("startNew")},
        std::tuple{openProject, QStringLiteral("&Open Project..."), QStringLiteral("startOpen")}}) {
    auto* button = new QPushButton(action->icon(), text);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  column->addLayout(buttons);

  column->addSpacing(12);
  auto* recentTitle = Heading(QStringLiteral("Recent Projects"));
  m_pRecentTitle = recentTitle;
  column->addWidget(recentTitle);
  m_pRecent = new QListWidget;
  m_pRecent->setObjectName(QStringLiteral("recentProjects"));
  m_pRecent->setAccessibleName(QStringLiteral("Recent Projects"));
  m_pRecent->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  m_pRecent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  // One click opens, as a link would; Enter opens the current entry. (itemActivated would
  // come on top of the click where the platform activates on a single click.)
  connect(m_pRecent, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    emit recentFileChosen(item->data(Qt::UserRole).toString());
  });
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), m_pRecent, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, [this] {
      if (QListWidgetItem* item = m_pRecent->currentItem())
        emit recentFileChosen(item->data(Qt::UserRole).toString());
    });
  }
  column->addWidget(m_pRecent);

  column->addSpacing(12);
  column->addWidget(Heading(QStringLiteral("First Steps")));
  for (int step = 0; step < static_cast<int>(std::size(kFirstSteps)); ++step) {
    auto* line = new QLabel(
        QStringLiteral("%1. %2").arg(step + 1).arg(QString::fromUtf8(kFirstSteps[step])));
    line->setObjectName(QStringLiteral("firstStep%1").arg(step + 1));
    line->setTextFormat(Qt::PlainText);
    line->setWordWrap(true);
    column->addWidget(line);
  }
  column->addStretch();

  // A readable column in the middle of a wide window.
  auto* centre = new QHBoxLayout(this);
  centre->addStretch(1);
  centre->addLayout(column, 4);
  centre->addStretch(1);
  SetRecentFiles({});
}

void CStartPanel::SetRecentFiles(const QStringList& files) {
  m_pRecent->clear();
  for (const QString& path : files) {
    auto* item = new QListWidgetItem(QDir::toNativeSeparators(path), m_pRecent);
    item->setData(Qt::UserRole, path);
    item->setToolTip(QDir::toNativeSeparators(path));
  }
  m_pRecentTitle->setVisible(!files.isEmpty());
  m_pRecent->setVisible(!files.isEmpty());
}
