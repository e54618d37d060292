#include "tools/TForm_EDT3.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TForm_EDT3::TForm_EDT3(TForm_Main &main)
    : ToolWindow(main,
                 {QStringLiteral("Form_EDT3"), QStringLiteral("Form_EDT3"),
                  QStringLiteral("VORN Transfer - Vs.2.3.0 - Converter IJ"), QStringLiteral(" Dados para Conversão "),
                  QStringLiteral("GroupBox3"), u"Form_EDT3.Ribbon1", u"Msg.Main.FuncConvertIJ",
                  QStringLiteral("func05.6.html")})
    , m_incremental(
          new QRadioButton(QStringLiteral("Converter coordenadas \"I\", \"J\" para incrementais"), optionsGroup()))
    , m_absolute(new QRadioButton(QStringLiteral("Converter coordenadas \"I\", \"J\" para absolutas"), optionsGroup()))
    , m_plus(addCheckBox(QStringLiteral("CheckBox1"),
                         QStringLiteral("Acrescentar o caractere \"+\" nas coordenadas positivas")))
{
    m_incremental->setObjectName(QStringLiteral("RadioButton2"));
    m_absolute->setObjectName(QStringLiteral("RadioButton1"));
    auto *column = new QVBoxLayout(optionsGroup());
    column->addWidget(m_incremental);
    column->addWidget(m_absolute);
    column->addWidget(m_plus);
}

ArcCentreOptions TForm_EDT3::options() const
{
    ArcCentreOptions options;
    if (m_absolute->isChecked()) {
        options.mode = ArcCentreMode::ToAbsolute;
    } else if (m_incremental->isChecked()) {
        options.mode = ArcCentreMode::ToIncremental;
    }
    options.plus = m_plus->isChecked();
    options.regionalSeparator = regionalSeparator();
    return options;
}

ToolJob TForm_EDT3::job() const
{
    const ArcCentreOptions chosen = options();
    return {[chosen](const ToolLines &lines, const ToolRange &range, const ToolControl &control) {
                return ArcCentreTool::run(chosen, lines, range, control);
            },
            true};
}

QString TForm_EDT3::description() const
{
    return ArcCentreTool::description();
}
