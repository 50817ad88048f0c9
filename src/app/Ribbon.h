#pragma once

#include <QTabWidget>

class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class QToolButton;

// One labelled group of buttons on a ribbon category.
class CRibbonPanel : public QWidget {
  Q_OBJECT

 public:
  // caption may carry an access key ("&Window"); it then moves the focus to the first button.
  explicit CRibbonPanel(const QString& caption, QWidget* parent = nullptr);

  QToolButton* AddLargeButton(QAction* action);
  QToolButton* AddSmallButton(QAction* action);
  // A large button that opens a menu when pressed.
  QToolButton* AddMenuButton(const QString& text, const QIcon& icon, QMenu* menu);
  QString Caption() const;

 private:
  QToolButton* AddButton(QAction* action, bool large);

  QHBoxLayout* m_pButtons = nullptr;
  QWidget* m_pSmallColumn = nullptr;
  QLabel* m_pCaption = nullptr;
};

// The tabbed command bar of the main window: an application button with its menu and the quick
// access buttons at the left of the category tabs, and one page of panels per category.
class CRibbonBar : public QTabWidget {
  Q_OBJECT

 public:
  explicit CRibbonBar(QWidget* parent = nullptr);

  // The application button's menu; the quick access buttons sit next to it.
  void SetApplicationMenu(const QString& text, QMenu* menu);
  void AddQuickAccessAction(QAction* action);

  // A new category page (tab); caption may carry an access key.
  QWidget* AddCategory(const QString& caption);
  CRibbonPanel* AddPanel(QWidget* category, const QString& caption);

  QToolButton* ApplicationButton() const { return m_pApplicationButton; }

  // The "Windows 7" appearance: a flat, square application button instead of the rounded one.
  void SetWindows7Appearance(bool on);
  bool HasWindows7Appearance() const { return m_bWindows7; }

 private:
  QWidget* m_pCorner = nullptr;
  QHBoxLayout* m_pCornerLayout = nullptr;
  QToolButton* m_pApplicationButton = nullptr;
  bool m_bWindows7 = false;
};
