#include "app/FlexSpinView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <variant>

#include "app/DocumentHistory.h"
#include "app/Prompts.h"
#include "app/SerialPortBox.h"
#include "codegen/BuildScripts.h"
#include "model/ProfileValues.h"
#include "model/ProjectSettings.h"

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

const QString kEvalEdgePreset = QStringLiteral("Eval/Edge Pin Settings");
const QString kKestromPreset = QStringLiteral("Kestrom Pin Settings");

// The name of a step that changes the setting with this key, after its label on the form.
QString ChangeName(const QString& key) {
  static const QHash<QString, QString> labels = {
      {QStringLiteral("clockFreq"), QStringLiteral("P2 Core Frequency")},
      {QStringLiteral("mountSd"), QStringLiteral("Mount SD Card")},
      {QStringLiteral("sdClk"), QStringLiteral("SD CLK Pin")},
      {QStringLiteral("sdCs"), QStringLiteral("SD CS Pin")},
      {QStringLiteral("sdMosi"), QStringLiteral("SD MOSI Pin")},
      {QStringLiteral("sdMiso"), QStringLiteral("SD MISO Pin")},
      {QStringLiteral("sdDriver"), QStringLiteral("SD High Level Driver")},
      {QStringLiteral("flexSpinPath"), QStringLiteral("FlexSpin Folder")},
      {QStringLiteral("useHeapSize"), QStringLiteral("Specify Heap Size")},
      {QStringLiteral("heapSize"), QStringLiteral("Heap Size")},
      {QStringLiteral("useLibraryPath"), QStringLiteral("Use Additional Library Folder")},
      {QStringLiteral("libraryPath"), QStringLiteral("Additional Library Folder")},
      {QStringLiteral("useOptLevel"), QStringLiteral("Specify Optimization Level")},
      {QStringLiteral("optLevel"), QStringLiteral("Optimization Level")},
      {QStringLiteral("useFlexOptions"), QStringLiteral("Add FlexSpin Options")},
      {QStringLiteral("flexOptions"), QStringLiteral("FlexSpin Options")},
      {QStringLiteral("loadP2Path"), QStringLiteral("LoadP2 Folder")},
      {QStringLiteral("showTerminal"), QStringLiteral("Show PST Terminal Window")},
      {QStringLiteral("waitForKey"), QStringLiteral("Wait for Terminal Input")},
      {QStringLiteral("usePlan9"), QStringLiteral("Use Plan9")},
      {QStringLiteral("plan9Path"), QStringLiteral("Plan9 Folder")},
      {QStringLiteral("useBaud"), QStringLiteral("Specify Terminal Baud")},
      {QStringLiteral("baud"), QStringLiteral("Terminal Baud")},
      {QStringLiteral("useLoadP2Options"), QStringLiteral("Add LoadP2 Options")},
      {QStringLiteral("loadP2Options"), QStringLiteral("LoadP2 Options")},
  };
  return QStringLiteral("Change ") + labels.value(key, key);
}

}  // namespace

CFlexSpinView::CFlexSpinView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent)
    : QScrollArea(parent), m_doc(doc), m_history(history) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  setBackgroundRole(QPalette::Button);
  BuildForm();
  BindSettings();
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
  auto* clockFreq = EditableList(
      QStringLiteral("clockFreq"),
      {QStringLiteral("100_000_000"), QStringLiteral("160_000_000"), QStringLiteral("200_000_000"),
       QStringLiteral("297_000_000"), QStringLiteral("300_000_000")},
      12);
  p2Row->addWidget(PlainLabel(QStringLiteral("P2 Core Frequency:")));
  p2Row->addWidget(clockFreq);
  p2Row->addWidget(PlainLabel(QStringLiteral("Hz")));
  p2Row->addStretch();
  column->addWidget(p2);

  // SD Card
  auto* sd = new QGroupBox(QStringLiteral("SD Card"));
  auto* sdGrid = new QGridLayout(sd);
  sdGrid->addWidget(Check(QStringLiteral("mountSd"),
                          QStringLiteral("Mount SD Card and List a few Files in Loop")),
                    0, 0);
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
  auto* evalEdge = Button(QStringLiteral("evalEdgePins"), kEvalEdgePreset);
  auto* kestrom = Button(QStringLiteral("kestromPins"), kKestromPreset);
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
  auto* sdDriver = new QButtonGroup(this);
  sdDriver->setObjectName(QStringLiteral("sdDriver"));
  sdDriver->addButton(fsrw, 0);
  sdDriver->addButton(fat32, 1);
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
  flexGrid->addWidget(Check(QStringLiteral("useHeapSize"), QStringLiteral("Specify Heap Size:")), 1,
                      0);
  flexGrid->addWidget(Edit(QStringLiteral("heapSize"), 90), 1, 1, Qt::AlignLeft);
  auto* flexOptions = new QGroupBox(QStringLiteral("Options"));
  auto* flexOptionsGrid = new QGridLayout(flexOptions);
  auto* useLibraryPath =
      Check(QStringLiteral("useLibraryPath"), QStringLiteral("-L Use Additional Library Folder"));
  m_pLibraryPath = Edit(QStringLiteral("libraryPath"));
  auto* browseLibrary = Button(QStringLiteral("browseLibrary"), QStringLiteral("Browse"));
  flexOptionsGrid->addWidget(useLibraryPath, 0, 0);
  flexOptionsGrid->addWidget(m_pLibraryPath, 0, 1);
  flexOptionsGrid->addWidget(browseLibrary, 0, 2);
  auto* useOptLevel =
      Check(QStringLiteral("useOptLevel"), QStringLiteral("-O Specify Optimization Level"));
  auto* optLevel = EditableList(
      QStringLiteral("optLevel"),
      {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2,!cse")}, 8);
  optLevel->model()->sort(0);
  flexOptionsGrid->addWidget(useOptLevel, 1, 0);
  flexOptionsGrid->addWidget(optLevel, 1, 1, Qt::AlignLeft);
  flexOptionsGrid->addWidget(
      Check(QStringLiteral("useFlexOptions"), QStringLiteral("Add these additional options:")), 2,
      0);
  flexOptionsGrid->addWidget(Edit(QStringLiteral("flexOptions")), 2, 1);
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
  loadOptionsGrid->addWidget(
      Check(QStringLiteral("showTerminal"), QStringLiteral("-T Show PST Terminal Window")), 0, 0, 1,
      3);
  loadOptionsGrid->addWidget(
      Check(QStringLiteral("waitForKey"), QStringLiteral("-k Wait for Terminal input before exit")),
      1, 0, 1, 3);
  auto* usePlan9 =
      Check(QStringLiteral("usePlan9"), QStringLiteral("-9 Use Plan9 to access PC Folder:"));
  m_pPlan9Path = Edit(QStringLiteral("plan9Path"));
  auto* browsePlan9 = Button(QStringLiteral("browsePlan9"), QStringLiteral("Browse"));
  loadOptionsGrid->addWidget(usePlan9, 2, 0);
  loadOptionsGrid->addWidget(m_pPlan9Path, 2, 1);
  loadOptionsGrid->addWidget(browsePlan9, 2, 2);
  auto* useBaud = Check(QStringLiteral("useBaud"), QStringLiteral("-b Specify terminal baud"));
  auto* baud = EditableList(QStringLiteral("baud"),
                            {QStringLiteral("115200"), QStringLiteral("230400"),
                             QStringLiteral("1000000"), QStringLiteral("2000000")},
                            8);
  auto* baudRow = new QHBoxLayout;
  baudRow->addWidget(baud);
  baudRow->addSpacing(12);
  baudRow->addWidget(PlainLabel(QStringLiteral("Note:  Do not use with Debug")));
  baudRow->addStretch();
  loadOptionsGrid->addWidget(useBaud, 3, 0);
  loadOptionsGrid->addLayout(baudRow, 3, 1, 1, 2);
  loadOptionsGrid->addWidget(
      Check(QStringLiteral("useLoadP2Options"), QStringLiteral("Add these additional options:")), 4,
      0);
  loadOptionsGrid->addWidget(Edit(QStringLiteral("loadP2Options")), 4, 1);
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

// Every change of a control is written into the document and recorded in the project's history
// (the history marks the project modified); typing into one field is one step. What the user
// does (typing, picking, clicking) is then reported, after the value is in the document so that
// the window's status shows it. A refresh shows the document's values with the controls' signals
// blocked, so it neither writes nor records anything.
void CFlexSpinView::BindSettings() {
  const QList<CProjectSetting>& settings = ProjectSettings();
  for (int index = 0; index < settings.size(); ++index) {
    const CProjectSetting& setting = settings[index];
    QObject* control = findChild<QObject*>(setting.m_sKey);
    if (!control) continue;  // the file version is not on the form
    if (!std::visit([&](auto member) { return Bind(control, member, index); }, setting.m_member))
      qWarning("The settings tab cannot bind its control \"%s\".", qPrintable(setting.m_sKey));
  }
}

bool CFlexSpinView::Bind(QObject* control, QString CKyvDoc::*member, int index) {
  // Also what the field's own undo (Ctrl+Z while it has the focus) and the Browse buttons change.
  auto write = [this, member, index,
                name = ChangeName(control->objectName())](const QString& value) {
    m_doc.*member = value;
    m_history.Record(name, index);
  };
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    connect(edit, &QLineEdit::textChanged, this, write);
    connect(edit, &QLineEdit::textEdited, this, [this, write, edit, member] {
      write(edit->text());
      RememberToolDefault(member);
      emit modified();
    });
    m_showSettings.append([this, edit, member] {
      // Setting an equal text would still move the cursor and drop the undo history.
      if (edit->text() == m_doc.*member) return;
      const QSignalBlocker quiet(edit);
      edit->setText(m_doc.*member);
    });
    return true;
  }
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    auto userChange = [this, write, combo] {
      write(combo->currentText());
      emit modified();
    };
    connect(combo, &QComboBox::editTextChanged, this, write);
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, userChange);
    connect(combo, &QComboBox::activated, this, userChange);
    m_showSettings.append([this, combo, member] {
      if (combo->currentText() == m_doc.*member) return;
      const QSignalBlocker quiet(combo);
      combo->setEditText(m_doc.*member);
    });
    return true;
  }
  return false;
}

bool CFlexSpinView::Bind(QObject* control, int32_t CKyvDoc::*member, int /*index*/) {
  // Every click is a step of its own.
  const QString name = ChangeName(control->objectName());
  if (auto* box = qobject_cast<QCheckBox*>(control)) {
    // A click toggles the box before it reports the click.
    connect(box, &QCheckBox::toggled, this, [this, member, name](bool on) {
      m_doc.*member = on;
      m_history.Record(name);
    });
    connect(box, &QCheckBox::clicked, this, &CFlexSpinView::modified);
    m_showSettings.append([this, box, member] {
      const QSignalBlocker quiet(box);
      box->setChecked(m_doc.*member != 0);
    });
    return true;
  }
  if (auto* choice = qobject_cast<QButtonGroup*>(control)) {
    connect(choice, &QButtonGroup::idToggled, this, [this, member, name](int id, bool on) {
      if (!on) return;
      m_doc.*member = id;
      m_history.Record(name);
    });
    connect(choice, &QButtonGroup::buttonClicked, this, &CFlexSpinView::modified);
    m_showSettings.append([this, choice, member] {
      const QSignalBlocker quiet(choice);
      if (QAbstractButton* button = choice->button(m_doc.*member)) button->setChecked(true);
    });
    return true;
  }
  return false;
}

void CFlexSpinView::OnUpdate() {
  for (const auto& show : m_showSettings) show();
  // Another project's tab may have changed the port since.
  ShowStoredSerialPort();
}

void CFlexSpinView::FocusSetting(const QString& key) {
  auto* control = findChild<QWidget*>(key);
  if (!control) return;
  ensureWidgetVisible(control);
  control->setFocus(Qt::OtherFocusReason);
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    if (QLineEdit* edit = combo->lineEdit()) edit->selectAll();
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->selectAll();
  }
}

void CFlexSpinView::Browse(QLineEdit* folder, QString CKyvDoc::*member) {
  const QString chosen = PickFolder(this, folder->text());
  if (chosen.isEmpty()) return;
  folder->setText(chosen);
  RememberToolDefault(member);
  emit modified();
}

void CFlexSpinView::RememberToolDefault(QString CKyvDoc::*member) {
  if (CSettingsStore* settings = m_doc.Platform().m_pSettings)
    RememberProfileValue(m_doc, member, *settings);
}

void CFlexSpinView::OnBrowseFlexSpin() { Browse(m_pFlexSpinPath, &CKyvDoc::m_sFlexSpinPath); }
void CFlexSpinView::OnBrowseLibrary() { Browse(m_pLibraryPath, &CKyvDoc::m_sLibraryPath); }
void CFlexSpinView::OnBrowseLoadP2() { Browse(m_pLoadP2Path, &CKyvDoc::m_sLoadP2Path); }
void CFlexSpinView::OnBrowsePlan9() { Browse(m_pPlan9Path, &CKyvDoc::m_sPlan9Path); }

void CFlexSpinView::SetSdPins(const QString& preset, const QString& clk, const QString& cs,
                              const QString& mosi, const QString& miso) {
  {
    const CHistoryGroup step(m_history, preset);
    m_pSdClk->setText(clk);
    m_pSdCs->setText(cs);
    m_pSdMosi->setText(mosi);
    m_pSdMiso->setText(miso);
  }
  emit modified();
}

void CFlexSpinView::OnEvalEdgePins() {
  SetSdPins(kEvalEdgePreset, QStringLiteral("61"), QStringLiteral("60"), QStringLiteral("59"),
            QStringLiteral("58"));
}

void CFlexSpinView::OnKestromPins() {
  SetSdPins(kKestromPreset, QStringLiteral("55"), QStringLiteral("57"), QStringLiteral("56"),
            QStringLiteral("54"));
}
