#include "tools/TForm_EDT1.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TForm_EDT1::TForm_EDT1(TForm_Main &main)
    : ToolWindow(main,
                 {QStringLiteral("Form_EDT1"), QStringLiteral("Form_EDT1"),
                  QStringLiteral("VORN Transfer - Vs.2.3.0 - Espaços"), QStringLiteral(" Dados para Operação "),
                  QStringLiteral("GroupBox3"), u"Form_EDT1.Ribbon1", u"Msg.Main.FuncSpaces",
                  QStringLiteral("func05.4.html")})
    , m_remove(new QRadioButton(QStringLiteral("Remover Espaços"), optionsGroup()))
    , m_add(new QRadioButton(QStringLiteral("Adicionar Espaço"), optionsGroup()))
{
    m_remove->setObjectName(QStringLiteral("RadioButton1"));
    m_add->setObjectName(QStringLiteral("RadioButton2"));
    auto *column = new QVBoxLayout(optionsGroup());
    column->addWidget(m_remove);
    column->addWidget(m_add);
}

SpacesOptions TForm_EDT1::options() const
{
    SpacesOptions options;
    if (m_remove->isChecked()) {
        options.choice = SpacesChoice::Remove;
    } else if (m_add->isChecked()) {
        options.choice = SpacesChoice::Add;
    }
    return options;
}

ToolJob TForm_EDT1::job() const
{
    const SpacesOptions chosen = options();
    return {[chosen](const ToolLines &lines, const ToolRange &range, const ToolControl &control) {
                return SpacesTool::run(chosen, lines, range, control);
            },
            chosen.choice != SpacesChoice::None};
}

QString TForm_EDT1::description() const
{
    return SpacesTool::description();
}
