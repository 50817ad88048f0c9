#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppIcon.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Kyv"));
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  auto* icon = new QLabel;
  icon->setPixmap(AppIcon().pixmap(48, 48));
  auto* line = new QLabel(QStringLiteral("Kyv, Version 1.0"));
  line->setTextFormat(Qt::PlainText);
  row->addWidget(icon);
  row->addSpacing(12);
  row->addWidget(line, 1);
  column->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  column->addWidget(buttons);
  setMinimumWidth(280);
}
