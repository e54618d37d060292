#include "app/TForm_DIR.h"

#include "app/FileBrowser.h"
#include "app/HelpPages.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "app/Ribbon.h"
#include "app/ShellCopy.h"
#include "app/TForm_Main.h"
#include "app/WindowPlacement.h"
#include "i18n/Catalogue.h"

#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

TForm_DIR::TForm_DIR(TForm_Main &main, FileBrowser &browser, std::function<QString()> programsDir)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_main(main)
    , m_browser(browser)
    , m_programsDir(std::move(programsDir))
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
{
    setObjectName(QStringLiteral("Form_DIR"));
    setWindowTitle(QStringLiteral("Form_DIR"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Criar Diretório de Programas"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_main.settings.HelpDir, QStringLiteral("func03.3.html")); });

    auto *group = new QGroupBox(QStringLiteral(" Dados "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    const std::array<QStringView, 4> captions
        = {u"Diretório de Programas :", u"Empresa ou Cliente :", u"Número do Produto :", u"Revisão do Produto :"};
    m_programs = NamedControls::namedEdit(QStringLiteral("Edit1"), 320, false, group);
    m_programs->setReadOnly(true);
    m_customer = NamedControls::namedEdit(QStringLiteral("Edit2"), 320, false, group);
    m_product = NamedControls::namedEdit(QStringLiteral("Edit3"), 320, false, group);
    m_revision = NamedControls::namedEdit(QStringLiteral("Edit4"), 320, false, group);
    const std::array<QLineEdit *, 4> edits = {m_programs, m_customer, m_product, m_revision};
    auto *grid = new QGridLayout(group);
    for (int i = 0; i < 4; ++i) {
        m_labels[i] = new QLabel(captions[std::size_t(i)].toString(), group);
        m_labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        m_labels[i]->setBuddy(edits[std::size_t(i)]);
        grid->addWidget(m_labels[i], i, 0);
        grid->addWidget(edits[std::size_t(i)], i, 1);
    }

    QPushButton *create = NamedControls::layOutFixedDialog(this, m_ribbon, group, QStringLiteral("&Cadastrar"),
                                                           QStringLiteral("Cance&lar"));
    connect(create, &QPushButton::clicked, this, &TForm_DIR::BitBtn1Click);
    updateAccessibleNames();
}

void TForm_DIR::open()
{
    prepare();
    exec();
}

void TForm_DIR::prepare()
{
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(u"Form_DIR.Ribbon1"));
    m_programs->setText(m_programsDir ? m_programsDir() : QString());
    m_customer->clear();
    m_product->clear();
    m_revision->clear();
    m_customer->setFocus();
    updateAccessibleNames();
    WindowPlacement::centreOnScreen(this, &m_main);
}

void TForm_DIR::BitBtn1Click()
{
    const std::array<std::pair<QLineEdit *, QStringView>, 3> required = {{
        {m_customer, u"Msg.NewDir.FillCustomer"},
        {m_product, u"Msg.NewDir.FillProductNumber"},
        {m_revision, u"Msg.NewDir.FillProductReview"},
    }};
    for (const auto &[field, message] : required) {
        if (field->text().trimmed().isEmpty()) {
            MessageBoxes::show(this, T(message));
            field->setFocus();
            return;
        }
    }

    const QString programsDir = m_programs->text();
    const QString base = programsDir.isEmpty() || programsDir.endsWith(u'/') ? programsDir : programsDir + u'/';
    const QString directory = base + m_customer->text().trimmed() + u'_' + m_product->text().trimmed() + u'_'
        + m_revision->text().trimmed();

    if (programsDir.isEmpty() || !QFileInfo(programsDir).isDir()) {
        MessageBoxes::show(
            this, T(u"Msg.NewDir.ProgramsDirMissingPrefix") + programsDir + T(u"Msg.NewDir.ProgramsDirMissingSuffix"));
        return;
    }
    if (const QFileInfo existing(directory); existing.exists() || existing.isSymLink()) {
        MessageBoxes::show(this, T(u"Msg.NewDir.ExistsPrefix") + directory + T(u"Msg.NewDir.ExistsSuffix"));
        m_customer->setFocus();
        return;
    }
    QString reason;
    if (!MakeDirectoryPath(directory, &reason)) {
        MessageBoxes::show(
            this, T(u"Msg.NewDir.CreateFailedPrefix") + directory + T(u"Msg.NewDir.CreateFailedSuffix") + reason);
        m_customer->setFocus();
        return;
    }
    MessageBoxes::show(this, T(u"Msg.NewDir.CreatedPrefix") + directory + T(u"Msg.NewDir.CreatedSuffix"));
    m_browser.FUNC_Atualizar_DIR(0, directory);
    accept();
}

void TForm_DIR::updateAccessibleNames()
{
    const std::array<QLineEdit *, 4> edits = {m_programs, m_customer, m_product, m_revision};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        edits[i]->setAccessibleName(m_labels[i]->text().remove(u':').trimmed());
    }
}

void TForm_DIR::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { WindowPlacement::centreOnScreen(this, &m_main); });
}

void TForm_DIR::showEvent(QShowEvent *event)
{
    // The labels may have changed language since the last showing.
    updateAccessibleNames();
    QDialog::showEvent(event);
}
