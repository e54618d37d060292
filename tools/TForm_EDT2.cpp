#include "tools/TForm_EDT2.h"

#include "tools/ToolSpinBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

TForm_EDT2::TForm_EDT2(TForm_Main &main)
    : ToolWindow(main,
                 {QStringLiteral("Form_EDT2"), QStringLiteral("VORN - Transfer"),
                  QStringLiteral("VORN Transfer - Vs.2.3.0 - Nº. de Blocos"), QStringLiteral(" Dados para Operação "),
                  QStringLiteral("GroupBox2"), u"Form_EDT2.Ribbon1", u"Msg.Main.FuncRenumber",
                  QStringLiteral("func05.5.html")})
    , m_digitsBox(addCheckBox(QStringLiteral("CheckBox1"), QStringLiteral("Dígitos :")))
    , m_digits(new ToolSpinBox(QStringLiteral("SpinEdit3"), 1, RenumberTool::kMaxDigits, 1, optionsGroup()))
    , m_renumberBox(addCheckBox(QStringLiteral("CheckBox3"), QStringLiteral("Renumerar")))
    , m_startLabel(new QLabel(QStringLiteral("Número do Bloco Inicial : "), optionsGroup()))
    , m_start(new ToolSpinBox(QStringLiteral("SpinEdit4"), 0, RenumberTool::kMaxSpinValue, 0, optionsGroup()))
    , m_incrementLabel(new QLabel(QStringLiteral("Valor do Incremento :"), optionsGroup()))
    , m_increment(new ToolSpinBox(QStringLiteral("SpinEdit5"), 1, RenumberTool::kMaxSpinValue, 1, optionsGroup()))
{
    m_startLabel->setObjectName(QStringLiteral("Label2"));
    m_incrementLabel->setObjectName(QStringLiteral("Label3"));
    m_startLabel->setBuddy(m_start);
    m_incrementLabel->setBuddy(m_increment);
    m_digits->setEnabled(false);
    m_start->setEnabled(false);
    m_increment->setEnabled(false);
    setCaptionGrey(m_startLabel, true);
    setCaptionGrey(m_incrementLabel, true);
    connect(m_digitsBox, &QCheckBox::toggled, this, &TForm_EDT2::CheckBox1Click);
    connect(m_renumberBox, &QCheckBox::toggled, this, &TForm_EDT2::CheckBox3Click);

    auto *grid = new QGridLayout(optionsGroup());
    grid->addWidget(m_digitsBox, 0, 0);
    grid->addWidget(m_digits, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_renumberBox, 1, 0);
    grid->addWidget(m_startLabel, 2, 0);
    grid->addWidget(m_start, 2, 1, Qt::AlignLeft);
    grid->addWidget(m_incrementLabel, 3, 0);
    grid->addWidget(m_increment, 3, 1, Qt::AlignLeft);
}

RenumberOptions TForm_EDT2::options() const
{
    RenumberOptions options;
    options.digits = m_digitsBox->isChecked() ? m_digits->value() : 0;
    options.renumber = m_renumberBox->isChecked();
    options.start = m_start->value();
    options.increment = m_increment->value();
    return options;
}

void TForm_EDT2::CheckBox1Click(bool checked)
{
    m_digits->setEnabled(checked);
    if (!checked) {
        m_digits->setValue(1);
    }
}

void TForm_EDT2::CheckBox3Click(bool checked)
{
    m_start->setEnabled(checked);
    m_increment->setEnabled(checked);
    if (!checked) {
        m_start->setValue(0);
        m_increment->setValue(1);
    }
    setCaptionGrey(m_startLabel, !checked);
    setCaptionGrey(m_incrementLabel, !checked);
}

void TForm_EDT2::prepareRun()
{
    m_digits->settle();
    m_start->settle();
    m_increment->settle();
}

ToolJob TForm_EDT2::job() const
{
    const RenumberOptions chosen = options();
    return {[chosen](const ToolLines &lines, const ToolRange &range, const ToolControl &control) {
                return RenumberTool::run(chosen, lines, range, control);
            },
            chosen.digits > 0 || chosen.renumber};
}

QString TForm_EDT2::description() const
{
    return RenumberTool::description();
}

void TForm_EDT2::updateAccessibleNames()
{
    ToolWindow::updateAccessibleNames();
    m_digits->setAccessibleName(accessibleText(m_digitsBox->text()));
    m_start->setAccessibleName(accessibleText(m_startLabel->text()));
    m_increment->setAccessibleName(accessibleText(m_incrementLabel->text()));
}
