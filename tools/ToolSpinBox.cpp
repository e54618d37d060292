#include "tools/ToolSpinBox.h"

ToolSpinBox::ToolSpinBox(const QString &objectName, int minimum, int maximum, int blankValue, QWidget *parent)
    : QSpinBox(parent)
    , m_blankValue(blankValue)
{
    setObjectName(objectName);
    setRange(minimum, maximum);
    setValue(blankValue);
}

void ToolSpinBox::settle()
{
    // A field emptied by code is not reinterpreted by the spin box itself.
    if (cleanText().trimmed().isEmpty()) {
        setValue(m_blankValue);
    } else {
        interpretText();
    }
}

void ToolSpinBox::fixup(QString &input) const
{
    if (input.trimmed().isEmpty()) {
        input = QString::number(m_blankValue);
        return;
    }
    QSpinBox::fixup(input);
}

void ToolSpinBox::focusOutEvent(QFocusEvent *event)
{
    settle();
    QSpinBox::focusOutEvent(event);
}
