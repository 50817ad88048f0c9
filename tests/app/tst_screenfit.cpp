#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include "AppFixture.h"
#include "app/BuildOutputPane.h"
#include "app/EditorDialog.h"
#include "app/FlexSpinView.h"
#include "app/ObjectPickerDialog.h"
#include "app/PinGrid.h"
#include "editors/ObjectPicker.h"
#include "model/CodeObject.h"

// The main window, the settings page, the object picker and every object dialog on the screen the
// test runs on (ctest runs it again on a 1024x700 screen and on a larger one at a scale factor of
// 2): every window within the screen, every control in sight or within reach of a scroll bar.
class TestScreenFit : public QObject {
  Q_OBJECT

  CAppFixture m_fixture;

  // "1024x700" or "1024x700-scale2": the screen as the program sees it, for screenshot names.
  static QString ScreenName(const QWidget& widget) {
    const QSize size = widget.screen()->availableGeometry().size();
    QString name = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    if (widget.devicePixelRatio() > 1)
      name += QStringLiteral("-scale%1").arg(widget.devicePixelRatio());
    return name;
  }

  static void VerifyWithinScreen(const QWidget& window) {
    const QSize available = window.screen()->availableGeometry().size();
    QVERIFY2(window.width() <= available.width() && window.height() <= available.height(),
             qPrintable(QStringLiteral("%1 is %2x%3 on a screen of %4x%5")
                            .arg(window.objectName())
                            .arg(window.width())
                            .arg(window.height())
                            .arg(available.width())
                            .arg(available.height())));
  }

  // Each visible control lies within the area's viewport once scrolled as far as it goes.
  static void VerifyReachable(QAbstractScrollArea& area, QWidget& form) {
    const QSize reach = area.viewport()->size() + QSize(area.horizontalScrollBar()->maximum(),
                                                        area.verticalScrollBar()->maximum());
    for (QWidget* control : form.findChildren<QWidget*>()) {
      if (!control->isVisibleTo(&form) ||
          !(qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)))
        continue;
      const QRect placed(control->mapTo(&form, QPoint()), control->size());
      QVERIFY2(placed.right() < reach.width() && placed.bottom() < reach.height(),
               qPrintable(QStringLiteral("%1 at %2,%3 is out of reach of %4x%5")
                              .arg(control->objectName())
                              .arg(placed.right())
                              .arg(placed.bottom())
                              .arg(reach.width())
                              .arg(reach.height())));
    }
  }

 private slots:
  void cleanupTestCase() { m_fixture.Stop(); }

  void mainWindowAndSettingsPage() {
    m_fixture.Start();
    CMainFrame& frame = m_fixture.Frame();
    VerifyWithinScreen(frame);
    frame.showMaximized();
    QTRY_VERIFY(frame.isMaximized() || frame.isVisible());
    CKyvView& view = m_fixture.ActiveView();
    auto* settings = view.findChild<CFlexSpinView*>();
    QVERIFY(settings);
    view.setCurrentWidget(settings);
    QApplication::processEvents();
    VerifyReachable(*settings, *settings->widget());
    CAppFixture::Screenshot(frame, QStringLiteral("fit-settings-") + ScreenName(frame));
  }

  // Nothing in the main window (ribbon, pages, panes, status bar) may ask for more room than
  // the screen has: the window could then not be shrunk to it, and its bottom would be out of
  // reach. Checked with a project open on every page, and with the start panel.
  void mainWindowMinimumFitsTheScreen() {
    m_fixture.Start();
    CMainFrame& frame = m_fixture.Frame();
    const QSize available = frame.screen()->availableGeometry().size();
    auto verifyMinimum = [&](const QString& shown) {
      QApplication::processEvents();
      const QSize minimum = frame.minimumSizeHint().expandedTo(frame.minimumSize());
      QVERIFY2(minimum.width() <= available.width() && minimum.height() <= available.height(),
               qPrintable(QStringLiteral("with %1 the main window needs at least %2x%3 on a "
                                         "screen of %4x%5")
                              .arg(shown)
                              .arg(minimum.width())
                              .arg(minimum.height())
                              .arg(available.width())
                              .arg(available.height())));
    };
    CKyvView& view = m_fixture.ActiveView();
    for (int page = 0; page < view.count(); ++page) {
      view.setCurrentIndex(page);
      verifyMinimum(view.tabText(page));
    }
    frame.BuildOutput()->show();
    verifyMinimum(QStringLiteral("the Build Output pane"));
    frame.BuildOutput()->hide();
    m_fixture.ActiveFrame()->close();
    QTRY_VERIFY(!m_fixture.ActiveFrame());
    verifyMinimum(QStringLiteral("the start panel"));
  }

  void pinTableShowsRolesWhole() {
    m_fixture.Start();
    CKyvDoc& doc = m_fixture.ActiveDoc();
    doc.m_bPinUsed[50] = true;
    doc.m_sPinUsedBy[50] = QStringLiteral("ADC1");
    doc.m_sPinUsedFor[50] = QStringLiteral("Analog To Digital Smart Pin");
    doc.UpdateAllViews();
    CKyvView& view = m_fixture.ActiveView();
    auto* grid = view.findChild<CPinGrid*>(QStringLiteral("pinGrid"));
    QVERIFY(grid);
    view.setCurrentWidget(grid->parentWidget());
    const int needed = grid->fontMetrics().horizontalAdvance(doc.m_sPinUsedFor[50]);
    QVERIFY2(grid->columnWidth(3) > needed,
             qPrintable(QStringLiteral("%1 <= %2").arg(grid->columnWidth(3)).arg(needed)));
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("fit-pins-") + ScreenName(view));
  }

  void objectPickerKeepsCancelInSight() {
    m_fixture.Start();
    CCodeObject record;
    CObjectPicker picker(&record, &m_fixture.ActiveDoc());
    CObjectPickerDialog dialog(picker, &m_fixture.Frame());
    dialog.setObjectName(QStringLiteral("objectPicker"));
    dialog.show();
    QApplication::processEvents();
    VerifyWithinScreen(dialog);
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cancel"));
    QVERIFY(cancel);
    const QRect placed(cancel->mapTo(&dialog, QPoint()), cancel->size());
    QVERIFY(dialog.rect().contains(placed));
    auto* body = dialog.findChild<QAbstractScrollArea*>(QStringLiteral("dialogBody"));
    QVERIFY(body);
    VerifyReachable(*body, *body->viewport());
    CAppFixture::Screenshot(dialog, QStringLiteral("fit-picker-") + ScreenName(dialog));
    dialog.reject();
  }

  // Every kind's dialog (the tall USB and ADC ones most of all) fits the screen with OK and
  // Cancel in sight; its controls scroll when they do not fit.
  void objectDialogsKeepTheirButtonsInSight_data() {
    QTest::addColumn<int>("kind");
    for (int kind = 0; kind < 16; ++kind) QTest::addRow("kind %d", kind) << kind;
  }

  void objectDialogsKeepTheirButtonsInSight() {
    QFETCH(int, kind);
    m_fixture.Start();
    CCodeObject record;
    CObjectPicker picker(&record, &m_fixture.ActiveDoc());
    std::unique_ptr<CObjectEditor> editor = picker.Press(kind);
    if (!editor) QSKIP("this kind needs other objects in the project first");
    CEditorDialog dialog(*editor, &m_fixture.Frame());
    dialog.setObjectName(editor->Title());
    dialog.show();
    QApplication::processEvents();
    VerifyWithinScreen(dialog);
    for (const char* button : {"ok", "cancel"}) {
      auto* control = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
      QVERIFY(control);
      QVERIFY(dialog.rect().contains(QRect(control->mapTo(&dialog, QPoint()), control->size())));
    }
    auto* body = dialog.findChild<QAbstractScrollArea*>(QStringLiteral("dialogBody"));
    QVERIFY(body);
    VerifyReachable(*body, *body->viewport());
    dialog.reject();
  }
};

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
