#include "app/FlexSpinView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Prompts.h"
#include "app/SerialPortBox.h"
#include "codegen/BuildScripts.h"
#include "codegen/ToolChecks.h"

namespace {

QLabel* PlainLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLineEdit* Edit(const QString& name, int width = 0) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  if (width > 0) edit->setFixedWidth(width);
  return edit;
}

QComboBox* EditableList(const QString& name, const QStringList& items, int visibleCharacters) {
  auto* combo = new QComboBox;
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  combo->setMinimumContentsLength(visibleCharacters);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return combo;
}

QCheckBox* Check(const QString& name, const QString& text) {
  auto* box = new QCheckBox(text);
  box->setObjectName(name);
  return box;
}

QPushButton* Button(const QString& name, const QString& text) {
  auto* button = new QPushButton(text);
  button->setObjectName(name);
  return button;
}

void BindText(QLineEdit* edit, QString& member, bool save) {
  if (save)
    member = edit->text();
  else
    edit->setText(member);
}

void BindText(QComboBox* combo, QString& member, bool save) {
  if (save)
    member = combo->currentText();
  else
    combo->setEditText(member);
}

void BindCheck(QCheckBox* box, int32_t& member, bool save) {
  if (save)
    member = box->isChecked() ? 1 : 0;
  else
    box->setChecked(member != 0);
}

}  // namespace

CFlexSpinView::CFlexSpinView(CKyvDoc& doc, QWidget* parent) : QScrollArea(parent), m_doc(doc) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  setBackgroundRole(QPalette::Button);
  BuildForm();
  m_doc.AddView(this);
}

CFlexSpinView::~CFlexSpinView() { m_doc.RemoveView(this); }

void CFlexSpinView::BuildForm() {
  auto* form = new QWidget;
  form->setBackgroundRole(QPalette::Button);
  form->setAutoFillBackground(true);
  auto* column = new QVBoxLayout(form);

  // P2
  auto* p2 = new QGroupBox(QStringLiteral("P2"));
  auto* p2Row = new QHBoxLayout(p2);
  m_pClockFreq = EditableList(
      QStringLiteral("clockFreq"),
      {QStringLiteral("100_000_000"), QStringLiteral("160_000_000"), QStringLiteral("200_000_000"),
       QStringLiteral("297_000_000"), QStringLiteral("300_000_000")},
      12);
  p2Row->addWidget(PlainLabel(QStringLiteral("P2 Core Frequency:")));
  p2Row->addWidget(m_pClockFreq);
  p2Row->addWidget(PlainLabel(QStringLiteral("Hz")));
  p2Row->addStretch();
  column->addWidget(p2);

  // SD Card
  auto* sd = new QGroupBox(QStringLiteral("SD Card"));
  auto* sdGrid = new QGridLayout(sd);
  m_pMountSd = Check(QStringLiteral("mountSd"),
                     QStringLiteral("Mount SD Card and List a few Files in Loop"));
  sdGrid->addWidget(m_pMountSd, 0, 0);
  auto* pins = new QHBoxLayout;
  m_pSdClk = Edit(QStringLiteral("sdClk"), 44);
  m_pSdCs = Edit(QStringLiteral("sdCs"), 44);
  m_pSdMosi = Edit(QStringLiteral("sdMosi"), 44);
  m_pSdMiso = Edit(QStringLiteral("sdMiso"), 44);
  pins->addWidget(PlainLabel(QStringLiteral("Pins:")));
  const QList<std::pair<QString, QLineEdit*>> pinEdits = {{QStringLiteral("CLK"), m_pSdClk},
                                                          {QStringLiteral("CS"), m_pSdCs},
                                                          {QStringLiteral("MOSI"), m_pSdMosi},
                                                          {QStringLiteral("MISO"), m_pSdMiso}};
  for (const auto& [caption, edit] : pinEdits) {
    pins->addSpacing(8);
    pins->addWidget(PlainLabel(caption));
    pins->addWidget(edit);
  }
  pins->addStretch();
  sdGrid->addLayout(pins, 1, 0);
  auto* presets = new QHBoxLayout;
  auto* evalEdge = Button(QStringLiteral("evalEdgePins"), QStringLiteral("Eval/Edge Pin Settings"));
  auto* kestrom = Button(QStringLiteral("kestromPins"), QStringLiteral("Kestrom Pin Settings"));
  presets->addWidget(evalEdge);
  presets->addWidget(kestrom);
  presets->addStretch();
  sdGrid->addLayout(presets, 2, 0);
  auto* driver = new QGroupBox(QStringLiteral("High Level Driver"));
  auto* driverColumn = new QVBoxLayout(driver);
  auto* driverRow = new QHBoxLayout;
  auto* fsrw = new QRadioButton(QStringLiteral("FSRW"));
  auto* fat32 = new QRadioButton(QStringLiteral("FAT32"));
  fsrw->setObjectName(QStringLiteral("sdDriverFsrw"));
  fat32->setObjectName(QStringLiteral("sdDriverFat32"));
  m_pSdDriver = new QButtonGroup(this);
  m_pSdDriver->addButton(fsrw, 0);
  m_pSdDriver->addButton(fat32, 1);
  driverRow->addWidget(fsrw);
  driverRow->addWidget(fat32);
  driverRow->addStretch();
  driverColumn->addLayout(driverRow);
  driverColumn->addWidget(PlainLabel(QStringLiteral("Both use same low level driver")));
  sdGrid->addWidget(driver, 0, 1, 3, 1, Qt::AlignTop);
  sdGrid->setColumnStretch(0, 1);
  column->addWidget(sd);

  // FlexSpin
  auto* flex = new QGroupBox(QStringLiteral("FlexSpin - Not needed for Prop Tool"));
  auto* flexGrid = new QGridLayout(flex);
  m_pFlexSpinPath = Edit(QStringLiteral("flexSpinPath"));
  auto* browseFlexSpin = Button(QStringLiteral("browseFlexSpin"), QStringLiteral("Browse"));
  flexGrid->addWidget(PlainLabel(FlexSpinFolderLabel()), 0, 0);
  flexGrid->addWidget(m_pFlexSpinPath, 0, 1);
  flexGrid->addWidget(browseFlexSpin, 0, 2);
  m_pUseHeapSize = Check(QStringLiteral("useHeapSize"), QStringLiteral("Specify Heap Size:"));
  m_pHeapSize = Edit(QStringLiteral("heapSize"), 90);
  flexGrid->addWidget(m_pUseHeapSize, 1, 0);
  flexGrid->addWidget(m_pHeapSize, 1, 1, Qt::AlignLeft);
  auto* flexOptions = new QGroupBox(QStringLiteral("Options"));
  auto* flexOptionsGrid = new QGridLayout(flexOptions);
  m_pUseLibraryPath =
      Check(QStringLiteral("useLibraryPath"), QStringLiteral("-L Use Additional Library Folder"));
  m_pLibraryPath = Edit(QStringLiteral("libraryPath"));
  auto* browseLibrary = Button(QStringLiteral("browseLibrary"), QStringLiteral("Browse"));
  flexOptionsGrid->addWidget(m_pUseLibraryPath, 0, 0);
  flexOptionsGrid->addWidget(m_pLibraryPath, 0, 1);
  flexOptionsGrid->addWidget(browseLibrary, 0, 2);
  m_pUseOptLevel =
      Check(QStringLiteral("useOptLevel"), QStringLiteral("-O Specify Optimization Level"));
  m_pOptLevel = EditableList(
      QStringLiteral("optLevel"),
      {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2,!cse")}, 8);
  m_pOptLevel->model()->sort(0);
  flexOptionsGrid->addWidget(m_pUseOptLevel, 1, 0);
  flexOptionsGrid->addWidget(m_pOptLevel, 1, 1, Qt::AlignLeft);
  m_pUseFlexOptions =
      Check(QStringLiteral("useFlexOptions"), QStringLiteral("Add these additional options:"));
  m_pFlexOptions = Edit(QStringLiteral("flexOptions"));
  flexOptionsGrid->addWidget(m_pUseFlexOptions, 2, 0);
  flexOptionsGrid->addWidget(m_pFlexOptions, 2, 1);
  flexOptionsGrid->setColumnStretch(1, 1);
  flexGrid->addWidget(flexOptions, 2, 0, 1, 3);
  flexGrid->setColumnStretch(1, 1);
  auto* tools = new QHBoxLayout;
  tools->addWidget(flex, 1, Qt::Alignment());

  // LoadP2
  auto* load = new QGroupBox(QStringLiteral("LoadP2 - Not for use with Prop Tool"));
  auto* loadGrid = new QGridLayout(load);
  m_pLoadP2Path = Edit(QStringLiteral("loadP2Path"));
  auto* browseLoadP2 = Button(QStringLiteral("browseLoadP2"), QStringLiteral("Browse"));
  loadGrid->addWidget(PlainLabel(LoadP2FolderLabel()), 0, 0);
  loadGrid->addWidget(m_pLoadP2Path, 0, 1);
  loadGrid->addWidget(browseLoadP2, 0, 2);
  auto* loadOptions = new QGroupBox(QStringLiteral("Options"));
  auto* loadOptionsGrid = new QGridLayout(loadOptions);
  m_pShowTerminal =
      Check(QStringLiteral("showTerminal"), QStringLiteral("-T Show PST Terminal Window"));
  m_pWaitForKey =
      Check(QStringLiteral("waitForKey"), QStringLiteral("-k Wait for Terminal input before exit"));
  loadOptionsGrid->addWidget(m_pShowTerminal, 0, 0, 1, 3);
  loadOptionsGrid->addWidget(m_pWaitForKey, 1, 0, 1, 3);
  m_pUsePlan9 =
      Check(QStringLiteral("usePlan9"), QStringLiteral("-9 Use Plan9 to access PC Folder:"));
  m_pPlan9Path = Edit(QStringLiteral("plan9Path"));
  auto* browsePlan9 = Button(QStringLiteral("browsePlan9"), QStringLiteral("Browse"));
  loadOptionsGrid->addWidget(m_pUsePlan9, 2, 0);
  loadOptionsGrid->addWidget(m_pPlan9Path, 2, 1);
  loadOptionsGrid->addWidget(browsePlan9, 2, 2);
  m_pUseBaud = Check(QStringLiteral("useBaud"), QStringLiteral("-b Specify terminal baud"));
  m_pBaud = EditableList(QStringLiteral("baud"),
                         {QStringLiteral("115200"), QStringLiteral("230400"),
                          QStringLiteral("1000000"), QStringLiteral("2000000")},
                         8);
  auto* baudRow = new QHBoxLayout;
  baudRow->addWidget(m_pBaud);
  baudRow->addSpacing(12);
  baudRow->addWidget(PlainLabel(QStringLiteral("Note:  Do not use with Debug")));
  baudRow->addStretch();
  loadOptionsGrid->addWidget(m_pUseBaud, 3, 0);
  loadOptionsGrid->addLayout(baudRow, 3, 1, 1, 2);
  m_pUseLoadP2Options =
      Check(QStringLiteral("useLoadP2Options"), QStringLiteral("Add these additional options:"));
  m_pLoadP2Options = Edit(QStringLiteral("loadP2Options"));
  loadOptionsGrid->addWidget(m_pUseLoadP2Options, 4, 0);
  loadOptionsGrid->addWidget(m_pLoadP2Options, 4, 1);
  loadOptionsGrid->setColumnStretch(1, 1);
  m_pSerialPort = new CSerialPortBox;
  m_pSerialPort->setObjectName(QStringLiteral("serialPort"));
  m_pSerialPort->setToolTip(QStringLiteral(
      "The port the load script gives loadp2 with -p. Automatic lets loadp2 find the P2. "
      "Kept for you on this computer, not in the project: press \"1: Generate Code\" again after "
      "changing it."));
  auto* serialPortLabel = PlainLabel(QStringLiteral("Serial port:"));
  serialPortLabel->setBuddy(m_pSerialPort);
  loadGrid->addWidget(serialPortLabel, 1, 0);
  loadGrid->addWidget(m_pSerialPort, 1, 1, 1, 2, Qt::AlignLeft);
  loadGrid->addWidget(loadOptions, 2, 0, 1, 3);
  loadGrid->setColumnStretch(1, 1);
  tools->addWidget(load, 1, Qt::Alignment());
  column->addLayout(tools);

  auto* note = PlainLabel(QStringLiteral(
      "Note:  If you change any of the FlexSpin paths above, you must Generate files again to "
      "take effect."));
  note->setWordWrap(true);
  column->addWidget(note);
  column->addStretch();
  setWidget(form);

  connect(evalEdge, &QPushButton::clicked, this, &CFlexSpinView::OnEvalEdgePins);
  connect(kestrom, &QPushButton::clicked, this, &CFlexSpinView::OnKestromPins);
  connect(browseFlexSpin, &QPushButton::clicked, this, &CFlexSpinView::OnBrowseFlexSpin);
  connect(browseLibrary, &QPushButton::clicked, this, &CFlexSpinView::OnBrowseLibrary);
  connect(browseLoadP2, &QPushButton::clicked, this, &CFlexSpinView::OnBrowseLoadP2);
  connect(browsePlan9, &QPushButton::clicked, this, &CFlexSpinView::OnBrowsePlan9);

  // Only what the user does marks the project modified, not what the form shows.
  for (QLineEdit* edit : form->findChildren<QLineEdit*>())
    connect(edit, &QLineEdit::textEdited, this, &CFlexSpinView::MarkModified);
  for (QComboBox* combo : {m_pClockFreq, m_pOptLevel, m_pBaud})
    connect(combo, &QComboBox::activated, this, &CFlexSpinView::MarkModified);
  for (QCheckBox* box : form->findChildren<QCheckBox*>())
    connect(box, &QCheckBox::clicked, this, &CFlexSpinView::MarkModified);
  connect(m_pSdDriver, &QButtonGroup::buttonClicked, this, &CFlexSpinView::MarkModified);
  // The port is the user's, not the project's: stored at once, the project stays unmodified.
  connect(m_pSerialPort, &QComboBox::activated, this, [this] {
    if (CSettingsStore* settings = m_doc.Platform().m_pSettings)
      settings->WriteString(kSerialPortSetting, m_pSerialPort->ChosenPort());
  });
}

void CFlexSpinView::ShowStoredSerialPort() {
  const CSettingsStore* settings = m_doc.Platform().m_pSettings;
  m_pSerialPort->SetChosenPort(settings ? settings->ReadString(kSerialPortSetting, QString())
                                        : QString());
}

void CFlexSpinView::MarkModified() {
  m_doc.SetModifiedFlag(true);
  emit modified();
}

void CFlexSpinView::UpdateData(bool save) {
  BindText(m_pClockFreq, m_sClockFreq, save);
  BindCheck(m_pMountSd, m_bMountSd, save);
  BindText(m_pSdClk, m_sSdClk, save);
  BindText(m_pSdCs, m_sSdCs, save);
  BindText(m_pSdMosi, m_sSdMosi, save);
  BindText(m_pSdMiso, m_sSdMiso, save);
  if (save) {
    m_nSdDriver = m_pSdDriver->checkedId() < 0 ? 0 : m_pSdDriver->checkedId();
  } else if (QAbstractButton* radio = m_pSdDriver->button(m_nSdDriver)) {
    radio->setChecked(true);
  }
  BindText(m_pFlexSpinPath, m_sFlexSpinPath, save);
  BindCheck(m_pUseHeapSize, m_bUseHeapSize, save);
  BindText(m_pHeapSize, m_sHeapSize, save);
  BindCheck(m_pUseLibraryPath, m_bUseLibraryPath, save);
  BindText(m_pLibraryPath, m_sLibraryPath, save);
  BindCheck(m_pUseOptLevel, m_bUseOptLevel, save);
  BindText(m_pOptLevel, m_sOptLevel, save);
  BindCheck(m_pUseFlexOptions, m_bUseFlexOptions, save);
  BindText(m_pFlexOptions, m_sFlexOptions, save);
  BindText(m_pLoadP2Path, m_sLoadP2Path, save);
  BindCheck(m_pShowTerminal, m_bShowTerminal, save);
  BindCheck(m_pWaitForKey, m_bWaitForKey, save);
  BindCheck(m_pUsePlan9, m_bUsePlan9, save);
  BindText(m_pPlan9Path, m_sPlan9Path, save);
  BindCheck(m_pUseBaud, m_bUseBaud, save);
  BindText(m_pBaud, m_sBaud, save);
  BindCheck(m_pUseLoadP2Options, m_bUseLoadP2Options, save);
  BindText(m_pLoadP2Options, m_sLoadP2Options, save);
}

void CFlexSpinView::CopyDocumentToMembers() {
  m_sClockFreq = m_doc.m_sClockFreq;
  m_bMountSd = m_doc.m_bMountSd;
  m_sSdClk = m_doc.m_sSdClk;
  m_sSdCs = m_doc.m_sSdCs;
  m_sSdMosi = m_doc.m_sSdMosi;
  m_sSdMiso = m_doc.m_sSdMiso;
  m_nSdDriver = m_doc.m_nSdDriver;
  m_sFlexSpinPath = m_doc.m_sFlexSpinPath;
  m_bUseHeapSize = m_doc.m_bUseHeapSize;
  m_sHeapSize = m_doc.m_sHeapSize;
  m_bUseLibraryPath = m_doc.m_bUseLibraryPath;
  m_sLibraryPath = m_doc.m_sLibraryPath;
  m_bUseOptLevel = m_doc.m_bUseOptLevel;
  m_sOptLevel = m_doc.m_sOptLevel;
  m_bUseFlexOptions = m_doc.m_bUseFlexOptions;
  m_sFlexOptions = m_doc.m_sFlexOptions;
  m_sLoadP2Path = m_doc.m_sLoadP2Path;
  m_bShowTerminal = m_doc.m_bShowTerminal;
  m_bWaitForKey = m_doc.m_bWaitForKey;
  m_bUsePlan9 = m_doc.m_bUsePlan9;
  m_sPlan9Path = m_doc.m_sPlan9Path;
  m_bUseBaud = m_doc.m_bUseBaud;
  m_sBaud = m_doc.m_sBaud;
  m_bUseLoadP2Options = m_doc.m_bUseLoadP2Options;
  m_sLoadP2Options = m_doc.m_sLoadP2Options;
}

void CFlexSpinView::CopyMembersToDocument() {
  m_doc.m_sClockFreq = m_sClockFreq;
  m_doc.m_bMountSd = m_bMountSd;
  m_doc.m_sSdClk = m_sSdClk;
  m_doc.m_sSdCs = m_sSdCs;
  m_doc.m_sSdMosi = m_sSdMosi;
  m_doc.m_sSdMiso = m_sSdMiso;
  m_doc.m_nSdDriver = m_nSdDriver;
  m_doc.m_sFlexSpinPath = m_sFlexSpinPath;
  m_doc.m_bUseHeapSize = m_bUseHeapSize;
  m_doc.m_sHeapSize = m_sHeapSize;
  m_doc.m_bUseLibraryPath = m_bUseLibraryPath;
  m_doc.m_sLibraryPath = m_sLibraryPath;
  m_doc.m_bUseOptLevel = m_bUseOptLevel;
  m_doc.m_sOptLevel = m_sOptLevel;
  m_doc.m_bUseFlexOptions = m_bUseFlexOptions;
  m_doc.m_sFlexOptions = m_sFlexOptions;
  m_doc.m_sLoadP2Path = m_sLoadP2Path;
  m_doc.m_bShowTerminal = m_bShowTerminal;
  m_doc.m_bWaitForKey = m_bWaitForKey;
  m_doc.m_bUsePlan9 = m_bUsePlan9;
  m_doc.m_sPlan9Path = m_sPlan9Path;
  m_doc.m_bUseBaud = m_bUseBaud;
  m_doc.m_sBaud = m_sBaud;
  m_doc.m_bUseLoadP2Options = m_bUseLoadP2Options;
  m_doc.m_sLoadP2Options = m_sLoadP2Options;
}

void CFlexSpinView::OnInitialUpdate() {
  CopyDocumentToMembers();
  UpdateData(false);
  OnUpdate();
}

void CFlexSpinView::OnUpdate() {
  UpdateData(true);
  CopyMembersToDocument();
  UpdateData(false);
  // Another project's tab may have changed the port since.
  ShowStoredSerialPort();
}

void CFlexSpinView::Browse(QString& folder) {
  UpdateData(true);
  const QString chosen = PickFolder(this, folder);
  if (!chosen.isEmpty()) {
    folder = chosen;
    MarkModified();
  }
  UpdateData(false);
}

void CFlexSpinView::OnBrowseFlexSpin() { Browse(m_sFlexSpinPath); }
void CFlexSpinView::OnBrowseLibrary() { Browse(m_sLibraryPath); }
void CFlexSpinView::OnBrowseLoadP2() { Browse(m_sLoadP2Path); }
void CFlexSpinView::OnBrowsePlan9() { Browse(m_sPlan9Path); }

void CFlexSpinView::SetSdPins(const QString& clk, const QString& cs, const QString& mosi,
                              const QString& miso) {
  UpdateData(true);
  m_sSdClk = clk;
  m_sSdCs = cs;
  m_sSdMosi = mosi;
  m_sSdMiso = miso;
  UpdateData(false);
  MarkModified();
}

void CFlexSpinView::OnEvalEdgePins() {
  SetSdPins(QStringLiteral("61"), QStringLiteral("60"), QStringLiteral("59"), QStringLiteral("58"));
}

void CFlexSpinView::OnKestromPins() {
  SetSdPins(QStringLiteral("55"), QStringLiteral("57"), QStringLiteral("56"), QStringLiteral("54"));
}
