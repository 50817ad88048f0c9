#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/ChildFrame.h"
#include "app/KyvApp.h"
#include "app/KyvView.h"
#include "app/MainFrame.h"
#include "app/Prompts.h"

// Every GUI test runs with its own settings store in a temporary folder and with all modal
// prompts answered by the test.
class CAppFixture {
 public:
  CAppFixture() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    CPromptHooks::SetTestMode(true);
  }

  // A fresh start of the program with this command line (the previous run ends first).
  CKyvApp& Start(const QStringList& arguments = {}) {
    m_pApp.reset();
    CPromptHooks::Reset();
    m_pApp = std::make_unique<CKyvApp>();
    m_bStarted = m_pApp->InitInstance(arguments);
    m_pApp->MainFrame()->show();
    return *m_pApp;
  }
  void Stop() { m_pApp.reset(); }

  CKyvApp& App() { return *m_pApp; }
  CMainFrame& Frame() { return *m_pApp->MainFrame(); }
  CChildFrame* ActiveFrame() { return Frame().ActiveFrame(); }
  CKyvDoc& ActiveDoc() { return ActiveFrame()->Document(); }
  CKyvView& ActiveView() { return *ActiveFrame()->View(); }
  bool Started() const { return m_bStarted; }
  QString WorkPath(const QString& name) const { return m_workDir.filePath(name); }

  // The tab text as shown (an "&&" shows one ampersand, "[*]" shows "*" when modified).
  static QString ShownTitle(const QMdiSubWindow* window) {
    QString title = window->windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window->isWindowModified() ? QStringLiteral("*") : QString());
    return title.replace(QStringLiteral("&&"), QStringLiteral("&"));
  }

  // Writes the widget's picture to screenshots/ beside the test program (in the build folder) for a
  // person to look at.
  static void Screenshot(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    QDir folder(QCoreApplication::applicationDirPath());
    folder.mkpath(QStringLiteral("screenshots"));
    const QString path =
        folder.filePath(QStringLiteral("screenshots/") + name + QStringLiteral(".png"));
    QVERIFY2(widget.grab().save(path), qPrintable(path));
  }

  // The widget as shown at a device pixel ratio, also written as <name>.png to the folder of
  // that name under the temporary folder, for a person to look at.
  static QImage Picture(QWidget& widget, qreal ratio, const QString& folderName,
                        const QString& name) {
    QImage image((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image);
    const QString folder = QDir::temp().filePath(folderName);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!image.save(path)) qWarning("Could not write %s", qPrintable(path));
    return image;
  }

 private:
  QTemporaryDir m_settingsDir;
  QTemporaryDir m_workDir;
  std::unique_ptr<CKyvApp> m_pApp;
  bool m_bStarted = false;
};
