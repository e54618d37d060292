#pragma once

#include <QSpinBox>

/// A whole-number field of the tool windows: a text left blank becomes a
/// fixed value when the field is left (or read), instead of the last value.
class ToolSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    /// A field named \a objectName holding \a minimum … \a maximum, starting
    /// at \a blankValue, which is also what a blank text becomes.
    ToolSpinBox(const QString &objectName, int minimum, int maximum, int blankValue, QWidget *parent = nullptr);

    int blankValue() const { return m_blankValue; }

    /// Settles what the field holds now (a blank text becomes the blank value).
    void settle();

protected:
    void fixup(QString &input) const override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_blankValue;
};
