#include "tools/TForm_EDT5.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

TForm_EDT5::TForm_EDT5(TForm_Main &main)
    : ToolWindow(main,
                 {QStringLiteral("Form_EDT5"), QStringLiteral("Form_EDT5"),
                  QStringLiteral("VORN Transfer - Vs.2.3.0 - Espelhar XY"), QStringLiteral(" Dados para Conversão "),
                  QStringLiteral("GroupBox3"), u"Form_EDT5.Ribbon1", u"Msg.Main.FuncMirror",
                  QStringLiteral("func05.8.html")})
    , m_boxes {addCheckBox(QStringLiteral("CheckBox1"), QStringLiteral("Aplicar Espelhamento no Eixo X")),
               addCheckBox(QStringLiteral("CheckBox2"), QStringLiteral("Aplicar Espelhamento no Eixo Y")),
               addCheckBox(QStringLiteral("CheckBox3"), QStringLiteral("Substituir Código G02 por G03")),
               addCheckBox(QStringLiteral("CheckBox4"), QStringLiteral("Substituir Código G03 por G02")),
               addCheckBox(QStringLiteral("CheckBox5"), QStringLiteral("Substituir Código G41 por G42")),
               addCheckBox(QStringLiteral("CheckBox6"), QStringLiteral("Substituir Código G42 por G41")),
               addCheckBox(QStringLiteral("CheckBox7"),
                           QStringLiteral("Acrescentar o caractere \"+\" nas coordenadas positivas"))}
{
    auto *column = new QVBoxLayout(optionsGroup());
    for (QCheckBox *box : m_boxes) {
        column->addWidget(box);
    }
}

MirrorOptions TForm_EDT5::options() const
{
    MirrorOptions options;
    options.x = m_boxes[0]->isChecked();
    options.y = m_boxes[1]->isChecked();
    options.swapG02 = m_boxes[2]->isChecked();
    options.swapG03 = m_boxes[3]->isChecked();
    options.swapG41 = m_boxes[4]->isChecked();
    options.swapG42 = m_boxes[5]->isChecked();
    options.plus = m_boxes[6]->isChecked();
    options.regionalSeparator = regionalSeparator();
    return options;
}

ToolJob TForm_EDT5::job() const
{
    const MirrorOptions chosen = options();
    return {[chosen](const ToolLines &lines, const ToolRange &range, const ToolControl &control) {
                return MirrorTool::run(chosen, lines, range, control);
            },
            true};
}

QString TForm_EDT5::description() const
{
    return MirrorTool::description();
}
