#include "editor/dlgReplaceText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

TTextReplaceDialog::TTextReplaceDialog(const QString &helpDir, QWidget *parent)
    : TTextSearchDialog(Kind::Replace, helpDir, parent)
{
    auto *label = new QLabel(caption(u"Label2"), this);
    label->setObjectName(QStringLiteral("Label2"));
    m_replaceText = makeTextBox(QStringLiteral("cbReplaceText"));
    label->setBuddy(m_replaceText);
    m_replaceText->setAccessibleName(accessibleNameOf(label->text()));
    m_textRows->addWidget(label, 1, 0);
    m_textRows->addWidget(m_replaceText, 1, 1);
}

QString TTextReplaceDialog::replaceText() const
{
    return m_replaceText->currentText();
}

void TTextReplaceDialog::setReplaceText(const QString &text)
{
    m_replaceText->setEditText(text);
}

QStringList TTextReplaceDialog::replaceTextHistory() const
{
    return entries(m_replaceText);
}

void TTextReplaceDialog::setReplaceTextHistory(const QStringList &history)
{
    const QString typed = m_replaceText->currentText();
    m_replaceText->clear();
    m_replaceText->addItems(history);
    m_replaceText->setEditText(typed);
}

void TTextReplaceDialog::updateHistories()
{
    rememberTypedText(m_replaceText);
    TTextSearchDialog::updateHistories();
}
