#pragma once

#include <QStringList>
#include <QWidget>

class QAction;
class QListWidget;
class QPushButton;

// What the main window shows while no project is open: New and Open, the recent projects, and
// the first steps from a new project to a loaded P2.
class CStartPanel : public QWidget {
  Q_OBJECT

 public:
  // The buttons trigger the main window's own New and Open commands.
  CStartPanel(QAction* newProject, QAction* openProject, QWidget* parent = nullptr);

  // The recent projects, newest first, shown by path.
  void SetRecentFiles(const QStringList& files);
  QListWidget* RecentList() const { return m_pRecent; }

 signals:
  // A recent project was chosen (click or Enter).
  void recentFileChosen(const QString& path);

 private:
  QListWidget* m_pRecent = nullptr;
  QWidget* m_pRecentTitle = nullptr;
};
