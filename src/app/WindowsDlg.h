#pragma once

#include <QDialog>

class QListWidget;
class QMdiArea;

// The window-management dialog: activate or close the open project windows.
class CWindowsDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CWindowsDlg(QMdiArea& area, QWidget* parent = nullptr);

 private:
  void Fill();
  void OnActivate();
  void OnCloseWindows();

  QMdiArea& m_area;
  QListWidget* m_pWindows = nullptr;
};
