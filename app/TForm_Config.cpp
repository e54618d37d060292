#include "app/TForm_Config.h"

#include "app/HelpPages.h"
#include "app/IniFile.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "app/ProgramSettings.h"
#include "app/Ribbon.h"
#include "app/SettingsKeys.h"
#include "app/UserDialogs.h"
#include "app/WindowPlacement.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"
#include "machines/TDataModule1.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

const QList<QString> &TForm_Config::languageCodes()
{
    static const QList<QString> codes = {QStringLiteral("EN"), QStringLiteral("PT-BR"), QStringLiteral("ES")};
    return codes;
}

TForm_Config::TForm_Config(ProgramSettings &settings, TDataModule1 &dataModule,
                           std::function<QList<QWidget *>()> windows, QWidget *centreOn)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_dataModule(dataModule)
    , m_windows(std::move(windows))
    , m_centreOn(centreOn)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
{
    setObjectName(QStringLiteral("Form_Config"));
    setWindowTitle(QStringLiteral("Form_Config"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Configurações"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_settings.HelpDir, QStringLiteral("func03.6.html")); });

    auto *group = new QGroupBox(QStringLiteral(" Parâmetros "), this);
    group->setObjectName(QStringLiteral("GroupBox3"));

    m_databaseLabel = new QLabel(QStringLiteral("BD de Máquinas :"), group);
    m_databaseLabel->setObjectName(QStringLiteral("Label1"));
    m_database = new QLineEdit(group);
    m_database->setObjectName(QStringLiteral("Edit1"));
    m_database->setReadOnly(true);
    m_database->setMinimumWidth(360);
    m_databaseLabel->setBuddy(m_database);

    auto *browse = new QPushButton(group);
    browse->setObjectName(QStringLiteral("BitBtn2"));
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    const int side = m_database->sizeHint().height();
    browse->setFixedSize(side, side);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &TForm_Config::BitBtn2Click);

    auto *separator = new QFrame(group);
    separator->setObjectName(QStringLiteral("Bevel1"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    m_languageLabel = new QLabel(QStringLiteral("Idioma :"), group);
    m_languageLabel->setObjectName(QStringLiteral("Label2"));
    m_languages = new QComboBox(group);
    m_languages->setObjectName(QStringLiteral("ComboBox1"));
    m_languages->setEditable(false);
    m_languages->addItems({QStringLiteral("Inglês"), QStringLiteral("Português"), QStringLiteral("Espanhol")});
    m_languageLabel->setBuddy(m_languages);
    connect(m_languages, &QComboBox::currentIndexChanged, this, &TForm_Config::ComboBox1Change);

    auto *grid = new QGridLayout(group);
    grid->addWidget(m_databaseLabel, 0, 0);
    grid->addWidget(m_database, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(separator, 1, 0, 1, 3);
    grid->addWidget(m_languageLabel, 2, 0);
    grid->addWidget(m_languages, 2, 1, 1, 2);

    QPushButton *apply = NamedControls::layOutFixedDialog(this, m_ribbon, group, QStringLiteral("&Aplicar"),
                                                          QStringLiteral("&Cancelar"));
    connect(apply, &QPushButton::clicked, this, &TForm_Config::BitBtn1Click);
    updateAccessibleNames();
}

void TForm_Config::open()
{
    prepare();
    exec();
}

void TForm_Config::prepare()
{
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(u"Form_Config.Ribbon1"));
    m_database->setText(m_settings.DatabasePath);
    {
        // An unknown code shows no language rather than the one of an earlier showing.
        const QSignalBlocker blocker(m_languages);
        m_languages->setCurrentIndex(int(languageCodes().indexOf(m_settings.LanguageCode)));
    }
    m_pendingDatabasePath.clear();
    m_databaseProbeOk = false;
    m_pendingLanguageCode = m_settings.LanguageCode;
    updateAccessibleNames();
    centre();
}

void TForm_Config::ComboBox1Change(int index)
{
    if (index >= 0 && index < languageCodes().size()) {
        m_pendingLanguageCode = languageCodes()[index];
    }
}

void TForm_Config::BitBtn2Click()
{
    const QString startDir = QFileInfo(m_database->text()).absolutePath();
    const QString chosen = UserDialogs::instance().openFileName(this, QString(), startDir, QString());
    if (chosen.isEmpty()) {
        return;
    }
    m_pendingDatabasePath = chosen;
    m_databaseProbeOk = m_dataModule.probeDatabase(chosen);
    if (m_databaseProbeOk) {
        m_database->setText(chosen);
        return;
    }
    MessageBoxes::show(this, m_dataModule.errorString(), MessageKind::Error);
    // The failed choice also drops an earlier good one, so the field shows the file that stays in use.
    m_database->setText(m_settings.DatabasePath);
}

void TForm_Config::BitBtn1Click()
{
    if (!applyLanguage() || !applyDatabase()) {
        return;
    }
    accept();
}

bool TForm_Config::applyLanguage()
{
    if (m_pendingLanguageCode == m_settings.LanguageCode) {
        return true;
    }
    IniFile ini(m_settings.transferIniPath());
    if (!ini.writeString(SettingsKeys::kLanguageSection, SettingsKeys::kValue, m_pendingLanguageCode)) {
        MessageBoxes::showStandardError(this, QStringLiteral("Unable to write to %1").arg(ini.path()));
        return false;
    }
    m_settings.LanguageCode = m_pendingLanguageCode;
    Catalogue &catalogue = Catalogue::current();
    catalogue.load(m_settings.LanguageCode);
    m_settings.HelpDir = helpDirFor(m_settings.ProgramDir, m_settings.LanguageCode);

    QList<QWidget *> windows = m_windows ? m_windows() : QList<QWidget *>();
    if (!windows.contains(this)) {
        windows.append(this);
    }
    ApplyLanguage(windows, catalogue);
    {
        // The rebuilt list has no selection; the window may stay open when the database step fails.
        const QSignalBlocker blocker(m_languages);
        m_languages->setCurrentIndex(int(languageCodes().indexOf(m_settings.LanguageCode)));
    }
    // Refilling the list passed through its first item and took it as a choice.
    m_pendingLanguageCode = m_settings.LanguageCode;
    updateAccessibleNames();
    Q_EMIT languageApplied(catalogue);
    return true;
}

bool TForm_Config::applyDatabase()
{
    if (!m_databaseProbeOk || m_pendingDatabasePath == m_settings.DatabasePath) {
        return true;
    }
    const QString previous = m_settings.DatabasePath;
    if (m_dataModule.switchDatabase(m_pendingDatabasePath, m_settings)) {
        m_databaseProbeOk = false;
        Q_EMIT databaseSwitched();
        return true;
    }
    if (m_settings.DatabasePath == previous) {
        // The settings file refused the new path; the open database was not touched.
        MessageBoxes::showStandardError(this,
                                        QStringLiteral("Unable to write to %1").arg(m_settings.transferIniPath()));
        return false;
    }
    // The new path was stored but the file could not be opened after all: go
    // back to the database the machine lists were read from.
    const QString error = m_dataModule.errorString();
    m_dataModule.switchDatabase(previous, m_settings);
    MessageBoxes::showStandardError(this, error);
    m_databaseProbeOk = false;
    m_database->setText(m_settings.DatabasePath);
    return false;
}

void TForm_Config::centre()
{
    WindowPlacement::centreOnScreen(this, m_centreOn ? m_centreOn : this);
}

void TForm_Config::updateAccessibleNames()
{
    m_database->setAccessibleName(m_databaseLabel->text().remove(u':').trimmed());
    m_languages->setAccessibleName(m_languageLabel->text().remove(u':').trimmed());
}

void TForm_Config::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { centre(); });
}

void TForm_Config::showEvent(QShowEvent *event)
{
    // The labels may have changed language since the last showing.
    updateAccessibleNames();
    QDialog::showEvent(event);
}
