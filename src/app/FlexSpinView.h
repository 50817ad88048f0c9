#pragma once

#include <QList>
#include <QScrollArea>
#include <QString>
#include <functional>

#include "model/KyvDoc.h"

class CDocumentHistory;
class CSerialPortBox;
class QLineEdit;

// The "P2 & FlexSpin" tab: the project settings form. Each control is bound to its document
// member through the table of project settings: what the user changes is written into the
// document at once and recorded in the project's history ("Change P2 Core Frequency"), and every
// refresh shows the document's values.
class CFlexSpinView : public QScrollArea, public CDocumentView {
  Q_OBJECT

 public:
  CFlexSpinView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent = nullptr);
  ~CFlexSpinView() override;

  void OnInitialUpdate() { OnUpdate(); }
  // Shows the document's settings and the stored serial port.
  void OnUpdate() override;
  // Scrolls to the control of the setting with this key and gives it the focus, its text
  // selected for retyping.
  void FocusSetting(const QString& key);

 public slots:
  void OnBrowseFlexSpin();
  void OnBrowseLibrary();
  void OnBrowseLoadP2();
  void OnBrowsePlan9();
  void OnEvalEdgePins();
  void OnKestromPins();

 signals:
  // The user changed something on the form; the document holds it.
  void modified();

 private:
  void BuildForm();
  // Connects the control named by each setting's key to its document member.
  void BindSettings();
  // Connects one control, a line edit or an editable drop-down list for a text, a check box or
  // a radio group for a number; false when the control is of another kind. index is the
  // setting's place in the settings table.
  bool Bind(QObject* control, QString CKyvDoc::*member, int index);
  bool Bind(QObject* control, int32_t CKyvDoc::*member, int index);
  void Browse(QLineEdit* folder, QString CKyvDoc::*member);
  // The user changed a tool folder or the options here: new projects take the value from now on.
  void RememberToolDefault(QString CKyvDoc::*member);
  // A preset of the four SD pins, recorded as one step under the preset's name.
  void SetSdPins(const QString& preset, const QString& clk, const QString& cs, const QString& mosi,
                 const QString& miso);
  void ShowStoredSerialPort();

  CKyvDoc& m_doc;
  CDocumentHistory& m_history;
  // One per bound control: shows the document's value without reporting it as a change.
  QList<std::function<void()>> m_showSettings;

  QLineEdit* m_pSdClk = nullptr;
  QLineEdit* m_pSdCs = nullptr;
  QLineEdit* m_pSdMosi = nullptr;
  QLineEdit* m_pSdMiso = nullptr;
  QLineEdit* m_pFlexSpinPath = nullptr;
  QLineEdit* m_pLibraryPath = nullptr;
  QLineEdit* m_pLoadP2Path = nullptr;
  QLineEdit* m_pPlan9Path = nullptr;
  CSerialPortBox* m_pSerialPort = nullptr;
};
