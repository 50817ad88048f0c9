#pragma once

#include <QMdiArea>

class QTabBar;
class QToolButton;

// The project windows as tabs: a close button on the active tab only, and at the right end of
// the tab strip a button listing every open window.
class CMdiTabArea : public QMdiArea {
  Q_OBJECT

 public:
  explicit CMdiTabArea(QWidget* parent = nullptr);

  QTabBar* TabBar() const;
  QToolButton* DocumentListButton() const { return m_pDocumentList; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowCloseButtonOnActiveTab();
  void PlaceDocumentListButton();
  void FillDocumentMenu();

  QToolButton* m_pDocumentList = nullptr;
};
