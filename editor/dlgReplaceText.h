#pragma once

#include "editor/dlgSearchText.h"

/// The replace dialog, created for one use: the find dialog's controls plus
/// the replacement text with its own history.
class TTextReplaceDialog : public TTextSearchDialog
{
    Q_OBJECT

public:
    explicit TTextReplaceDialog(const QString &helpDir, QWidget *parent = nullptr);

    QString replaceText() const;
    void setReplaceText(const QString &text);
    /// The entries of the replacement's drop-down list, top first.
    QStringList replaceTextHistory() const;
    void setReplaceTextHistory(const QStringList &history);

protected:
    /// The replacement's list first, then the search text's.
    void updateHistories() override;

private:
    QComboBox *m_replaceText = nullptr;
};
