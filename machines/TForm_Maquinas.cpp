#include "machines/TForm_Maquinas.h"

#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "app/ProgramSettings.h"
#include "app/Ribbon.h"
#include "app/UserDialogs.h"
#include "app/WaitCursor.h"
#include "app/WindowPlacement.h"
#include "i18n/Catalogue.h"
#include "machines/CommunicationTests.h"
#include "machines/MachineMessages.h"
#include "machines/SerialCodes.h"
#include "machines/TDataModule1.h"
#include "machines/TForm_Imagens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *namedLabel(const char *name, const QString &text, QWidget *parent)
{
    return NamedControls::namedLabel(QString::fromLatin1(name), text, parent);
}

QLineEdit *namedEdit(const char *name, QWidget *parent)
{
    return NamedControls::namedEdit(QString::fromLatin1(name), 240, false, parent);
}

QComboBox *namedCombo(const char *name, const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    combo->setMinimumWidth(160);
    return combo;
}

QPushButton *namedButton(const char *name, const QString &text, QWidget *parent)
{
    return NamedControls::namedButton(QString::fromLatin1(name), text, parent);
}

/// A list's position, the blank first entry for no selection.
int position(const QComboBox *combo)
{
    return qMax(0, combo->currentIndex());
}

/// Puts a list on \a index, or on its blank entry when it has no such entry.
void choose(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

/// A caption without its colon, for the folder picker and screen readers.
QString plainCaption(const QLabel *label)
{
    return label->text().remove(u':').remove(u'&').trimmed();
}

} // namespace

TForm_Maquinas::TForm_Maquinas(TDataModule1 &dataModule, const ProgramSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_dataModule(dataModule)
    , m_settings(settings)
    , m_testPort(SerialFlow::Software)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
{
    setObjectName(QStringLiteral("Form_Maquinas"));
    setWindowTitle(QStringLiteral("Form_Maquinas"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Cadastrar Máquinas"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_settings.HelpDir, QStringLiteral("func04.html")); });

    // The machine itself.
    auto *data = new QGroupBox(QStringLiteral(" Dados "), this);
    data->setObjectName(QStringLiteral("GroupBox1"));
    m_number = namedEdit("Edit1", data);
    m_description = namedEdit("Edit2", data);
    m_picture = namedCombo("ComboBox2", {QString()}, data);
    for (int n = 1; n <= TForm_Imagens::kPictureCount; ++n) {
        m_picture->addItem(QStringLiteral("Imagem %1").arg(n, 2, 10, QLatin1Char('0')));
    }
    m_programsDir = namedEdit("Edit9", data);
    m_programsDir->setReadOnly(true);
    m_pickProgramsDir = namedButton("BitBtn4", QStringLiteral("..."), data);
    m_transferType = namedCombo("ComboBox1",
                                {QString(), QStringLiteral("Diretório Local"), QStringLiteral("Diretório Mapeado Rede"),
                                 QStringLiteral("FTP"), QStringLiteral("Serial RS232")},
                                data);
    m_programsDirLabel = namedLabel("Label18", QStringLiteral("Diretório de Programas :"), data);
    auto *dataGrid = new QGridLayout(data);
    const std::array<std::pair<QLabel *, QWidget *>, 5> dataRows = {{
        {namedLabel("Label3", QStringLiteral("Número Máquina :"), data), m_number},
        {namedLabel("Label5", QStringLiteral("Descrição Máquina :"), data), m_description},
        {namedLabel("Label2", QStringLiteral("Imagem :"), data), m_picture},
        {m_programsDirLabel, m_programsDir},
        {namedLabel("Label1", QStringLiteral("Tipo de Transferência :"), data), m_transferType},
    }};
    for (int row = 0; row < int(dataRows.size()); ++row) {
        const auto &[label, field] = dataRows[std::size_t(row)];
        label->setBuddy(field);
        dataGrid->addWidget(label, row, 0);
        dataGrid->addWidget(field, row, 1);
    }
    dataGrid->addWidget(m_pickProgramsDir, 3, 2);
    dataGrid->setRowStretch(int(dataRows.size()), 1);

    auto *panel = new QGroupBox(QStringLiteral("Imagem"), this);
    panel->setObjectName(QStringLiteral("Panel1"));
    m_image = new QLabel(panel);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setFixedSize(TForm_Imagens::kPictureSize, TForm_Imagens::kPictureSize);
    m_image->setFrameShape(QFrame::StyledPanel);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(m_image);

    // The parameter pages.
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));

    m_directoryPage = new QWidget;
    m_directoryPage->setObjectName(QStringLiteral("TabSheet1"));
    m_machineDir = namedEdit("Edit3", m_directoryPage);
    m_machineDir->setReadOnly(true);
    m_pickMachineDir = namedButton("BitBtn5", QStringLiteral("..."), m_directoryPage);
    m_testDirectoryButton
        = namedButton("Button3", QStringLiteral("&Testar Comunicação com Diretório"), m_directoryPage);
    m_machineDirLabel = namedLabel("Label4", QStringLiteral("Diretório Máquina :"), m_directoryPage);
    m_machineDirLabel->setBuddy(m_machineDir);
    auto *directoryGrid = new QGridLayout(m_directoryPage);
    directoryGrid->addWidget(m_machineDirLabel, 0, 0);
    directoryGrid->addWidget(m_machineDir, 0, 1);
    directoryGrid->addWidget(m_pickMachineDir, 0, 2);
    directoryGrid->addWidget(m_testDirectoryButton, 1, 1, Qt::AlignLeft);
    directoryGrid->setRowStretch(2, 1);
    m_pages->addTab(m_directoryPage, QStringLiteral("Parâmetros de Transferência por Diretório"));

    m_ftpPage = new QWidget;
    m_ftpPage->setObjectName(QStringLiteral("TabSheet2"));
    m_ftpHost = namedEdit("Edit4", m_ftpPage);
    m_ftpPort = namedEdit("Edit5", m_ftpPage);
    m_ftpUser = namedEdit("Edit6", m_ftpPage);
    m_ftpPassword = namedEdit("Edit7", m_ftpPage);
    m_ftpDirectory = namedEdit("Edit8", m_ftpPage);
    m_testFtpButton = namedButton("Button1", QStringLiteral("&Testar Comunicação FTP"), m_ftpPage);
    auto *ftpGrid = new QGridLayout(m_ftpPage);
    const std::array<std::pair<QLabel *, QLineEdit *>, 5> ftpRows = {{
        {namedLabel("Label6", QStringLiteral("Host ou IP :"), m_ftpPage), m_ftpHost},
        {namedLabel("Label7", QStringLiteral("Porta :"), m_ftpPage), m_ftpPort},
        {namedLabel("Label8", QStringLiteral("Usuário :"), m_ftpPage), m_ftpUser},
        {namedLabel("Label9", QStringLiteral("Senha :"), m_ftpPage), m_ftpPassword},
        {namedLabel("Label10", QStringLiteral("Diretório :"), m_ftpPage), m_ftpDirectory},
    }};
    for (int row = 0; row < int(ftpRows.size()); ++row) {
        const auto &[label, field] = ftpRows[std::size_t(row)];
        label->setBuddy(field);
        ftpGrid->addWidget(label, row, 0);
        ftpGrid->addWidget(field, row, 1);
    }
    ftpGrid->addWidget(m_testFtpButton, int(ftpRows.size()), 1, Qt::AlignLeft);
    ftpGrid->setRowStretch(int(ftpRows.size()) + 1, 1);
    m_pages->addTab(m_ftpPage, QStringLiteral("Parâmetros de Transferência FTP"));

    m_serialPage = new QWidget;
    m_serialPage->setObjectName(QStringLiteral("TabSheet3"));
    m_comPort = namedCombo("ComboBox3", SerialCodes::comPortItems(), m_serialPage);
    m_speed = namedCombo("ComboBox4", SerialCodes::speedItems(), m_serialPage);
    m_dataBits = namedCombo("ComboBox5", SerialCodes::dataBitsItems(), m_serialPage);
    m_parity = namedCombo("ComboBox6", SerialCodes::parityItems(), m_serialPage);
    m_stopBits = namedCombo("ComboBox7", SerialCodes::stopBitsItems(), m_serialPage);
    m_flow = namedCombo("ComboBox8", SerialCodes::flowItems(), m_serialPage);
    m_testSerialButton = namedButton("Button2", QStringLiteral("&Testar Comunicação Serial"), m_serialPage);
    auto *serialGrid = new QGridLayout(m_serialPage);
    const std::array<std::pair<QLabel *, QComboBox *>, 6> serialRows = {{
        {namedLabel("Label11", QStringLiteral("Porta COM :"), m_serialPage), m_comPort},
        {namedLabel("Label12", QStringLiteral("Velocidade :"), m_serialPage), m_speed},
        {namedLabel("Label14", QStringLiteral("Bits de Dados :"), m_serialPage), m_dataBits},
        {namedLabel("Label13", QStringLiteral("Paridade :"), m_serialPage), m_parity},
        {namedLabel("Label15", QStringLiteral("Bits de Parada :"), m_serialPage), m_stopBits},
        {namedLabel("Label16", QStringLiteral("Fluxo de Controle :"), m_serialPage), m_flow},
    }};
    for (int row = 0; row < int(serialRows.size()); ++row) {
        const auto &[label, field] = serialRows[std::size_t(row)];
        label->setBuddy(field);
        serialGrid->addWidget(label, row, 0);
        serialGrid->addWidget(field, row, 1);
    }
    // The CR/LF choice is stored but used by no transfer, so it stays out of sight.
    m_crLf = new QCheckBox(m_serialPage);
    m_crLf->setObjectName(QStringLiteral("CheckBox1"));
    m_crLf->hide();
    namedLabel("Label17", QStringLiteral("Incluir CR / LF no Final da Mensagem"), m_serialPage)->hide();

    const std::array<std::pair<const char *, const char *>, 8> indicatorCaptions = {{
        {"Label19", "Controle DTR :"},
        {"Label20", "Controle RTS :"},
        {"Label21", "Saída CTS :"},
        {"Label22", "Saída DSR :"},
        {"Label23", "Sensibilidade DSR :"},
        {"Label24", "Xon / Xoff :"},
        {"Label25", "Caractere Xon :"},
        {"Label26", "Caractere Xoff :"},
    }};
    for (std::size_t i = 0; i < indicatorCaptions.size(); ++i) {
        const int row = int(i);
        serialGrid->addWidget(
            namedLabel(indicatorCaptions[i].first, QString::fromUtf8(indicatorCaptions[i].second), m_serialPage), row,
            2);
        m_flowIndicators[i] = new QLabel(m_serialPage);
        m_flowIndicators[i]->setObjectName(QStringLiteral("Label%1").arg(27 + row));
        serialGrid->addWidget(m_flowIndicators[i], row, 3);
    }
    serialGrid->addWidget(m_testSerialButton, int(indicatorCaptions.size()), 1, Qt::AlignLeft);
    serialGrid->setColumnMinimumWidth(2, 140);
    serialGrid->setRowStretch(int(indicatorCaptions.size()) + 1, 1);
    m_pages->addTab(m_serialPage, QStringLiteral("Parâmetros de Transferência Serial"));

    // The window's buttons.
    m_register = namedButton("BitBtn1", QStringLiteral("&Cadastrar"), this);
    m_change = namedButton("BitBtn2", QStringLiteral("&Alterar"), this);
    auto *cancel = namedButton("BitBtn3", QStringLiteral("Cance&lar"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_register);
    buttons->addWidget(m_change);
    buttons->addWidget(cancel);

    auto *top = new QHBoxLayout;
    top->addWidget(data, 1);
    top->addWidget(panel);
    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(m_ribbon);
    column->addLayout(top);
    column->addWidget(m_pages);
    column->addLayout(buttons);

    m_pickProgramsDir->setAccessibleName(plainCaption(m_programsDirLabel));
    m_pickMachineDir->setAccessibleName(plainCaption(m_machineDirLabel));

    connect(m_transferType, &QComboBox::currentIndexChanged, this, &TForm_Maquinas::ComboBox1Change);
    connect(m_picture, &QComboBox::currentIndexChanged, this, &TForm_Maquinas::ComboBox2Change);
    connect(m_flow, &QComboBox::currentIndexChanged, this, &TForm_Maquinas::ComboBox8Change);
    connect(m_register, &QPushButton::clicked, this, &TForm_Maquinas::BitBtn1Click);
    connect(m_change, &QPushButton::clicked, this, &TForm_Maquinas::BitBtn2Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pickProgramsDir, &QPushButton::clicked, this, &TForm_Maquinas::BitBtn4Click);
    connect(m_pickMachineDir, &QPushButton::clicked, this, &TForm_Maquinas::BitBtn5Click);
    connect(m_testFtpButton, &QPushButton::clicked, this, &TForm_Maquinas::Button1Click);
    connect(m_testSerialButton, &QPushButton::clicked, this, &TForm_Maquinas::Button2Click);
    connect(m_testDirectoryButton, &QPushButton::clicked, this, &TForm_Maquinas::Button3Click);

    FUNC_Limpar_Form_Maquinas();
}

TForm_Maquinas::~TForm_Maquinas() = default;

bool TForm_Maquinas::prepare(Mode mode, qint64 machineId)
{
    m_mode = mode;
    setWindowState(Qt::WindowNoState);
    switch (mode) {
    case Mode::Register:
        m_ribbon->setCaption(T(u"Form_Maquinas.Ribbon1"));
        break;
    case Mode::Edit:
        m_ribbon->setCaption(T(u"Form_Maquinas.Ribbon1.Edit"));
        break;
    case Mode::View:
        m_ribbon->setCaption(T(u"Form_Maquinas.Ribbon1.View"));
        break;
    }
    m_register->setEnabled(mode == Mode::Register);
    m_change->setEnabled(mode == Mode::Edit);
    m_pickProgramsDir->setEnabled(mode != Mode::View);
    FUNC_Limpar_Form_Maquinas();
    if (mode == Mode::View) {
        FUNC_Bloquear_Campos_Maquinas();
    } else {
        FUNC_Liberar_Campos_Maquinas();
    }
    if (mode != Mode::Register) {
        m_editedMachineId = machineId;
        if (!stillRegistered(machineId)) {
            return false;
        }
        if (!FUNC_Listar_BD_Maquinas(machineId)) {
            MessageBoxes::showStandardError(this, m_dataModule.errorString());
            return false;
        }
    }
    m_number->setFocus();
    return true;
}

bool TForm_Maquinas::showModal(Mode mode, qint64 machineId)
{
    if (!prepare(mode, machineId)) {
        return false;
    }
    centre();
    return exec() == QDialog::Accepted;
}

void TForm_Maquinas::FUNC_Limpar_Form_Maquinas()
{
    for (QLineEdit *edit : {m_number, m_description, m_machineDir, m_ftpHost, m_ftpPort, m_ftpUser, m_ftpPassword,
                            m_ftpDirectory, m_programsDir}) {
        edit->clear();
    }
    for (QWidget *page : {m_directoryPage, m_ftpPage, m_serialPage}) {
        m_pages->setTabVisible(m_pages->indexOf(page), false);
    }
    for (QComboBox *combo : {m_transferType, m_picture, m_comPort, m_speed, m_dataBits, m_parity, m_stopBits, m_flow}) {
        choose(combo, 0);
    }
    ComboBox8Change();
    m_crLf->setChecked(false);
    m_image->clear();
}

void TForm_Maquinas::FUNC_Bloquear_Campos_Maquinas()
{
    for (QLineEdit *edit : {m_number, m_description, m_ftpHost, m_ftpPort, m_ftpUser, m_ftpPassword, m_ftpDirectory}) {
        edit->setReadOnly(true);
    }
    for (QWidget *list : std::initializer_list<QWidget *> {m_transferType, m_picture, m_comPort, m_speed, m_dataBits,
                                                           m_parity, m_stopBits, m_flow, m_crLf}) {
        list->setEnabled(false);
    }
}

void TForm_Maquinas::FUNC_Liberar_Campos_Maquinas()
{
    for (QLineEdit *edit : {m_number, m_description, m_ftpHost, m_ftpPort, m_ftpUser, m_ftpPassword, m_ftpDirectory}) {
        edit->setReadOnly(false);
    }
    for (QWidget *list : std::initializer_list<QWidget *> {m_transferType, m_picture, m_comPort, m_speed, m_dataBits,
                                                           m_parity, m_stopBits, m_flow, m_crLf}) {
        list->setEnabled(true);
    }
}

bool TForm_Maquinas::FUNC_Listar_BD_Maquinas(qint64 id)
{
    MachineForm values;
    if (!m_dataModule.readMachineForm(id, values)) {
        return false;
    }
    m_number->setText(values.Number);
    m_description->setText(values.Description);
    m_machineDir->setText(values.MachineDir);
    m_ftpHost->setText(values.FtpHost);
    m_ftpPort->setText(values.FtpPort);
    m_ftpUser->setText(values.FtpUser);
    m_ftpPassword->setText(values.FtpPassword);
    m_ftpDirectory->setText(values.FtpDirectory);
    choose(m_comPort, values.ComPortIndex);
    choose(m_speed, values.SpeedIndex);
    choose(m_dataBits, values.DataBitsIndex);
    choose(m_parity, values.ParityIndex);
    choose(m_stopBits, values.StopBitsIndex);
    choose(m_flow, values.FlowIndex);
    ComboBox8Change();
    m_crLf->setChecked(values.CrLf);
    choose(m_transferType, values.TransferTypeIndex);
    choose(m_picture, values.PictureIndex);
    m_programsDir->setText(values.ProgramsDir);
    ComboBox1Change();
    ComboBox2Change();
    return true;
}

MachineForm TForm_Maquinas::form() const
{
    MachineForm values;
    values.Number = m_number->text();
    values.Description = m_description->text();
    values.PictureIndex = position(m_picture);
    values.ProgramsDir = m_programsDir->text();
    values.TransferTypeIndex = position(m_transferType);
    values.MachineDir = m_machineDir->text();
    values.FtpHost = m_ftpHost->text();
    values.FtpPort = m_ftpPort->text();
    values.FtpUser = m_ftpUser->text();
    values.FtpPassword = m_ftpPassword->text();
    values.FtpDirectory = m_ftpDirectory->text();
    values.ComPortIndex = position(m_comPort);
    values.SpeedIndex = position(m_speed);
    values.DataBitsIndex = position(m_dataBits);
    values.ParityIndex = position(m_parity);
    values.StopBitsIndex = position(m_stopBits);
    values.FlowIndex = position(m_flow);
    values.CrLf = m_crLf->isChecked();
    return values;
}

void TForm_Maquinas::BitBtn1Click()
{
    if (!m_register->isEnabled() || !validated()) {
        return;
    }
    WaitCursor wait;
    const MachineForm values = form();
    qint64 newId = 0;
    const bool ok = m_dataModule.registerMachine(values, newId);
    if (ok) {
        m_editedMachineId = newId;
    }
    wait.restore();
    if (!ok) {
        MessageBoxes::showStandardError(this, m_dataModule.errorString());
        return;
    }
    saved(MachineMessages::registered(values.Description));
}

void TForm_Maquinas::BitBtn2Click()
{
    if (!m_change->isEnabled() || !validated() || !stillRegistered(m_editedMachineId)) {
        return;
    }
    WaitCursor wait;
    const MachineForm values = form();
    const bool ok = m_dataModule.saveMachine(m_editedMachineId, values);
    wait.restore();
    if (!ok) {
        MessageBoxes::showStandardError(this, m_dataModule.errorString());
        return;
    }
    saved(MachineMessages::edited(values.Description));
}

void TForm_Maquinas::saved(const QString &message)
{
    MessageBoxes::show(this, message);
    Q_EMIT machineSaved();
    accept();
}

bool TForm_Maquinas::stillRegistered(qint64 id)
{
    std::optional<MachineRow> row;
    if (!m_dataModule.selectMachine(id, row)) {
        MessageBoxes::showStandardError(this, m_dataModule.errorString());
        return false;
    }
    if (!row) {
        MessageBoxes::show(this, T(u"Msg.Machine.NotFound"));
        return false;
    }
    return true;
}

bool TForm_Maquinas::validated()
{
    const std::optional<MachineFormProblem> problem = validateMachineForm(form());
    if (!problem) {
        return true;
    }
    MessageBoxes::show(this, MachineMessages::validationFailed(*problem));
    focusField(problem->field);
    return false;
}

void TForm_Maquinas::BitBtn4Click()
{
    pickFolder(m_programsDirLabel, m_programsDir);
}

void TForm_Maquinas::BitBtn5Click()
{
    pickFolder(m_machineDirLabel, m_machineDir);
}

void TForm_Maquinas::pickFolder(const QLabel *caption, QLineEdit *field)
{
    QString folder = UserDialogs::instance().existingDirectory(this, plainCaption(caption), field->text()).trimmed();
    if (folder.isEmpty()) {
        return;
    }
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    field->setText(folder);
}

void TForm_Maquinas::Button1Click()
{
    runTest(m_testFtpButton, [this] { return testFtpCommunication(form(), m_testFtp); });
}

void TForm_Maquinas::Button2Click()
{
    runTest(m_testSerialButton,
            [this] { return testSerialCommunication(form(), m_testPort, m_settings.transferIniPath()); });
}

void TForm_Maquinas::Button3Click()
{
    runTest(m_testDirectoryButton, [this] { return testDirectoryCommunication(form()); });
}

template<typename Test> void TForm_Maquinas::runTest(QPushButton *button, Test test)
{
    button->setEnabled(false);
    CommunicationTestResult result;
    {
        WaitCursor wait;
        repaint();
        result = test();
    }
    button->setEnabled(true);
    repaint();
    if (result.focus) {
        focusField(*result.focus);
    }
    if (!result.message.isEmpty()) {
        MessageBoxes::show(this, result.message);
    }
}

void TForm_Maquinas::ComboBox1Change()
{
    for (QWidget *page : {m_directoryPage, m_ftpPage, m_serialPage}) {
        m_pages->setTabVisible(m_pages->indexOf(page), false);
    }
    switch (transferKindAt(position(m_transferType))) {
    case TransferKind::LocalDirectory:
        m_pages->setTabText(m_pages->indexOf(m_directoryPage), T(u"Form_Maquinas.TabSheet1"));
        showParameterPage(m_directoryPage);
        break;
    case TransferKind::NetworkDirectory:
        m_pages->setTabText(m_pages->indexOf(m_directoryPage), T(u"Form_Maquinas.TabSheet1.Network"));
        showParameterPage(m_directoryPage);
        break;
    case TransferKind::Ftp:
        showParameterPage(m_ftpPage);
        break;
    case TransferKind::Serial:
        showParameterPage(m_serialPage);
        break;
    case TransferKind::None:
        break;
    }
}

void TForm_Maquinas::showParameterPage(QWidget *page)
{
    const int index = m_pages->indexOf(page);
    m_pages->setTabVisible(index, true);
    m_pages->setCurrentIndex(index);
}

void TForm_Maquinas::ComboBox2Change()
{
    const int number = position(m_picture);
    if (number >= 1 && number <= TForm_Imagens::kPictureCount) {
        m_image->setPixmap(TForm_Imagens::picture(number));
    } else {
        m_image->clear();
    }
}

void TForm_Maquinas::ComboBox8Change()
{
    const std::array<QStringView, 8> texts = SerialCodes::flowIndicators(position(m_flow));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        m_flowIndicators[i]->setText(texts[i].toString());
    }
}

QWidget *TForm_Maquinas::fieldWidget(MachineField field) const
{
    switch (field) {
    case MachineField::Number:
        return m_number;
    case MachineField::Description:
        return m_description;
    case MachineField::Picture:
        return m_picture;
    case MachineField::ProgramsDir:
        return m_programsDir;
    case MachineField::TransferType:
        return m_transferType;
    case MachineField::MachineDir:
        return m_machineDir;
    case MachineField::FtpHost:
        return m_ftpHost;
    case MachineField::FtpPort:
        return m_ftpPort;
    case MachineField::FtpUser:
        return m_ftpUser;
    case MachineField::FtpPassword:
        return m_ftpPassword;
    case MachineField::FtpDirectory:
        return m_ftpDirectory;
    case MachineField::ComPort:
        return m_comPort;
    case MachineField::Speed:
        return m_speed;
    case MachineField::DataBits:
        return m_dataBits;
    case MachineField::Parity:
        return m_parity;
    case MachineField::StopBits:
        return m_stopBits;
    case MachineField::FlowControl:
        return m_flow;
    }
    return nullptr;
}

void TForm_Maquinas::focusField(MachineField field)
{
    QWidget *widget = fieldWidget(field);
    if (!widget) {
        return;
    }
    for (QWidget *page : {m_directoryPage, m_ftpPage, m_serialPage}) {
        if (page->isAncestorOf(widget) && m_pages->isTabVisible(m_pages->indexOf(page))) {
            m_pages->setCurrentWidget(page);
        }
    }
    widget->setFocus(Qt::OtherFocusReason);
}

void TForm_Maquinas::centre()
{
    WindowPlacement::centreOnScreen(this, parentWidget());
}

void TForm_Maquinas::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { centre(); });
}
