#include "tools/TForm_EDT4.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>

TForm_EDT4::TForm_EDT4(TForm_Main &main)
    : ToolWindow(main,
                 {QStringLiteral("Form_EDT4"), QStringLiteral("Form_EDT4"),
                  QStringLiteral("VORN Transfer - Vs.2.3.0 - Translação XYZ"), QStringLiteral(" Dados para Conversão "),
                  QStringLiteral("GroupBox3"), u"Form_EDT4.Ribbon1", u"Msg.Main.FuncTranslate",
                  QStringLiteral("func05.7.html")})
    , m_axes {addCheckBox(QStringLiteral("CheckBox1"), QStringLiteral("Incrementar o valor do eixo X :")),
              addCheckBox(QStringLiteral("CheckBox2"), QStringLiteral("Incrementar o valor do eixo Y :")),
              addCheckBox(QStringLiteral("CheckBox3"), QStringLiteral("Incrementar o valor do eixo Z :"))}
    , m_offsets {new QLineEdit(optionsGroup()), new QLineEdit(optionsGroup()), new QLineEdit(optionsGroup())}
    , m_plus(addCheckBox(QStringLiteral("CheckBox4"),
                         QStringLiteral("Acrescentar o caractere \"+\" nas coordenadas positivas")))
{
    auto *grid = new QGridLayout(optionsGroup());
    for (int axis = 0; axis < 3; ++axis) {
        QLineEdit *offset = m_offsets[axis];
        offset->setObjectName(QStringLiteral("Edit%1").arg(axis + 1));
        offset->setEnabled(false);
        offset->installEventFilter(this);
        connect(m_axes[axis], &QCheckBox::toggled, this, [this, axis](bool checked) { axisClicked(axis, checked); });
        grid->addWidget(m_axes[axis], axis, 0);
        grid->addWidget(offset, axis, 1);
    }
    grid->addWidget(m_plus, 3, 0, 1, 2);
}

TranslateOptions TForm_EDT4::options() const
{
    TranslateOptions options;
    options.x = m_axes[0]->isChecked();
    options.xOffset = m_offsets[0]->text();
    options.y = m_axes[1]->isChecked();
    options.yOffset = m_offsets[1]->text();
    options.z = m_axes[2]->isChecked();
    options.zOffset = m_offsets[2]->text();
    options.plus = m_plus->isChecked();
    options.regionalSeparator = regionalSeparator();
    return options;
}

bool TForm_EDT4::acceptsTyped(const QString &text, QChar separator)
{
    for (const QChar c : text) {
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == separator
            || c.category() == QChar::Other_Control;
        if (!allowed) {
            return false;
        }
    }
    return true;
}

void TForm_EDT4::axisClicked(int axis, bool checked)
{
    QLineEdit *offset = m_offsets[axis];
    if (!checked) {
        offset->clear();
    }
    offset->setEnabled(checked);
}

void TForm_EDT4::prepareRun()
{
    for (QLineEdit *offset : m_offsets) {
        if (offset->text().trimmed().isEmpty()) {
            offset->setText(TranslateTool::offsetText(offset->text()));
        }
    }
}

ToolJob TForm_EDT4::job() const
{
    const TranslateOptions chosen = options();
    return {[chosen](const ToolLines &lines, const ToolRange &range, const ToolControl &control) {
                return TranslateTool::run(chosen, lines, range, control);
            },
            true};
}

QString TForm_EDT4::description() const
{
    return TranslateTool::description();
}

void TForm_EDT4::updateAccessibleNames()
{
    ToolWindow::updateAccessibleNames();
    for (int axis = 0; axis < 3; ++axis) {
        m_offsets[axis]->setAccessibleName(accessibleText(m_axes[axis]->text()));
    }
}

bool TForm_EDT4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Shortcuts (paste among them) pass; typed characters are filtered.
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!shortcut && !acceptsTyped(key->text(), regionalSeparator())) {
            return true;
        }
    }
    return ToolWindow::eventFilter(watched, event);
}
