#include "app/NamedControls.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace NamedControls {

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit *namedEdit(const QString &name, int minimumWidth, bool readOnly, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(readOnly);
    edit->setMinimumWidth(minimumWidth);
    return edit;
}

QPushButton *namedButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QList<QLabel *> addFieldRows(QWidget *box, const QList<std::pair<QString, QLineEdit *>> &rows)
{
    auto *grid = new QGridLayout(box);
    QList<QLabel *> labels;
    for (int i = 0; i < int(rows.size()); ++i) {
        const auto &[caption, edit] = rows[i];
        QLabel *label = namedLabel(QStringLiteral("Label%1").arg(i + 1), caption, box);
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        labels << label;
    }
    return labels;
}

QPushButton *layOutFixedDialog(QDialog *dialog, QWidget *ribbon, QWidget *content, const QString &acceptCaption,
                               const QString &cancelCaption)
{
    auto *accept = new QPushButton(acceptCaption, dialog);
    accept->setObjectName(QStringLiteral("BitBtn1"));
    accept->setDefault(true);
    auto *cancel = new QPushButton(cancelCaption, dialog);
    cancel->setObjectName(QStringLiteral("BitBtn3"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept);
    buttons->addWidget(cancel);

    auto *column = new QVBoxLayout(dialog);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(ribbon);
    column->addWidget(content);
    column->addLayout(buttons);
    return accept;
}

} // namespace NamedControls
