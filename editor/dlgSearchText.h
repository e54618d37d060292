#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QPushButton;
class QRadioButton;

/// The find dialog, created for one use: the search text with its history,
/// the direction and the options. Confirming it with "Find" first puts the
/// typed text at the top of the history list.
class TTextSearchDialog : public QDialog
{
    Q_OBJECT

public:
    /// The dialog with the current language's texts; its help button opens
    /// its page in \a helpDir.
    explicit TTextSearchDialog(const QString &helpDir, QWidget *parent = nullptr);

    bool searchBackwards() const;
    void setSearchBackwards(bool backwards);
    bool searchCaseSensitive() const;
    void setSearchCaseSensitive(bool on);
    bool searchWholeWords() const;
    void setSearchWholeWords(bool on);
    bool searchFromCursor() const;
    void setSearchFromCursor(bool on);
    bool searchSelectedOnly() const;
    void setSearchSelectedOnly(bool on);
    bool searchRegularExpression() const;
    void setSearchRegularExpression(bool on);

    QString searchText() const;
    void setSearchText(const QString &text);
    /// The entries of the search text's drop-down list, top first.
    QStringList searchTextHistory() const;
    void setSearchTextHistory(const QStringList &history);

    /// Shows the dialog in its normal state in the middle of its screen.
    void centreOnScreen();

    /// "Find" (or "Replace"): the histories take the typed texts, then the dialog closes.
    void accept() override;

protected:
    enum class Kind { Find, Replace };

    TTextSearchDialog(Kind kind, const QString &helpDir, QWidget *parent);

    /// Puts the typed texts at the top of their history lists.
    virtual void updateHistories();
    /// Puts \a box's typed text at the top of its list and keeps it typed.
    static void rememberTypedText(QComboBox *box);
    static QStringList entries(const QComboBox *box);
    /// An editable drop-down with the given object name and history behaviour.
    QComboBox *makeTextBox(const QString &objectName);
    /// A label's caption without its mnemonic and colon, to name its text box for screen readers.
    static QString accessibleNameOf(QString caption);
    /// The current language's text of one of this dialog's controls.
    QString caption(QStringView control) const;

    void changeEvent(QEvent *event) override;

    QGridLayout *m_textRows = nullptr;

private:
    QComboBox *m_searchText = nullptr;
    QRadioButton *m_forward = nullptr;
    QRadioButton *m_backward = nullptr;
    QCheckBox *m_caseSensitive = nullptr;
    QCheckBox *m_wholeWords = nullptr;
    QCheckBox *m_fromCursor = nullptr;
    QCheckBox *m_selectedOnly = nullptr;
    QCheckBox *m_regularExpression = nullptr;
};
