#pragma once

#include <QScrollArea>
#include <QString>

#include "model/KyvDoc.h"

class CSerialPortBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The "P2 & FlexSpin" tab: the project settings form. It keeps its own copy of every setting,
// takes the document's values once when it is created, and from then on is their source: every
// refresh of the document copies the form into it.
class CFlexSpinView : public QScrollArea, public CDocumentView {
  Q_OBJECT

 public:
  explicit CFlexSpinView(CKyvDoc& doc, QWidget* parent = nullptr);
  ~CFlexSpinView() override;

  // Document -> form, once; then the first refresh.
  void OnInitialUpdate();
  // Form -> document, at every refresh.
  void OnUpdate() override;

  // The form's copy of the settings, bound to the controls by UpdateData.
  QString m_sClockFreq;
  int32_t m_bMountSd = 0;
  QString m_sSdClk, m_sSdCs, m_sSdMosi, m_sSdMiso;
  int32_t m_nSdDriver = 0;
  QString m_sFlexSpinPath;
  int32_t m_bUseHeapSize = 0;
  QString m_sHeapSize;
  int32_t m_bUseLibraryPath = 0;
  QString m_sLibraryPath;
  int32_t m_bUseOptLevel = 0;
  QString m_sOptLevel;
  int32_t m_bUseFlexOptions = 0;
  QString m_sFlexOptions;
  QString m_sLoadP2Path;
  int32_t m_bShowTerminal = 0;
  int32_t m_bWaitForKey = 0;
  int32_t m_bUsePlan9 = 0;
  QString m_sPlan9Path;
  int32_t m_bUseBaud = 0;
  QString m_sBaud;
  int32_t m_bUseLoadP2Options = 0;
  QString m_sLoadP2Options;

  // Controls -> members (true) or members -> controls (false).
  void UpdateData(bool saveAndValidate);

 public slots:
  void OnBrowseFlexSpin();
  void OnBrowseLibrary();
  void OnBrowseLoadP2();
  void OnBrowsePlan9();
  void OnEvalEdgePins();
  void OnKestromPins();

 signals:
  // The user changed something on the form; the document is marked modified.
  void modified();

 private:
  void BuildForm();
  void Browse(QString& folder);
  void SetSdPins(const QString& clk, const QString& cs, const QString& mosi, const QString& miso);
  void MarkModified();
  void CopyDocumentToMembers();
  void CopyMembersToDocument();
  void ShowStoredSerialPort();

  CKyvDoc& m_doc;

  QComboBox* m_pClockFreq = nullptr;
  QCheckBox* m_pMountSd = nullptr;
  QLineEdit* m_pSdClk = nullptr;
  QLineEdit* m_pSdCs = nullptr;
  QLineEdit* m_pSdMosi = nullptr;
  QLineEdit* m_pSdMiso = nullptr;
  QButtonGroup* m_pSdDriver = nullptr;
  QLineEdit* m_pFlexSpinPath = nullptr;
  QCheckBox* m_pUseHeapSize = nullptr;
  QLineEdit* m_pHeapSize = nullptr;
  QCheckBox* m_pUseLibraryPath = nullptr;
  QLineEdit* m_pLibraryPath = nullptr;
  QCheckBox* m_pUseOptLevel = nullptr;
  QComboBox* m_pOptLevel = nullptr;
  QCheckBox* m_pUseFlexOptions = nullptr;
  QLineEdit* m_pFlexOptions = nullptr;
  QLineEdit* m_pLoadP2Path = nullptr;
  QCheckBox* m_pShowTerminal = nullptr;
  QCheckBox* m_pWaitForKey = nullptr;
  QCheckBox* m_pUsePlan9 = nullptr;
  QLineEdit* m_pPlan9Path = nullptr;
  QCheckBox* m_pUseBaud = nullptr;
  QComboBox* m_pBaud = nullptr;
  QCheckBox* m_pUseLoadP2Options = nullptr;
  QLineEdit* m_pLoadP2Options = nullptr;
  CSerialPortBox* m_pSerialPort = nullptr;
};
