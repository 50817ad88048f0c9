#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppIcon.h"

QStringList AboutLines(const QString& version, const QString& qtVersion, const QString& home) {
  QStringList lines = {QStringLiteral("Kyv, Version %1").arg(version),
                       QStringLiteral("Qt %1").arg(qtVersion), QStringLiteral("MIT licence")};
  if (!home.isEmpty()) lines.append(home);
  return lines;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Kyv"));
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  auto* icon = new QLabel;
  icon->setPixmap(AppIcon().pixmap(48, 48));
  const QString home = QStringLiteral(KYV_HOMEPAGE);
  QStringList lines =
      AboutLines(QStringLiteral(KYV_VERSION), QString::fromLatin1(qVersion()), home);
  for (QString& line : lines) line = line.toHtmlEscaped();
  // The home is a link the desktop's browser opens.
  if (!home.isEmpty()) lines.last() = QStringLiteral("<a href=\"%1\">%1</a>").arg(lines.last());
  auto* text = new QLabel(lines.join(QStringLiteral("<br>")));
  text->setObjectName(QStringLiteral("aboutText"));
  text->setTextFormat(Qt::RichText);
  text->setOpenExternalLinks(true);
  text->setTextInteractionFlags(Qt::TextBrowserInteraction);
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addSpacing(12);
  row->addWidget(text, 1);
  column->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  column->addWidget(buttons);
  setMinimumWidth(280);
}
