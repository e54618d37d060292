#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

/// The question asked about each occurrence during a replace. Its buttons
/// end it with one of the results below; Esc and closing it mean Cancel.
class TConfirmReplaceDialog : public QDialog
{
    Q_OBJECT

public:
    enum Result {
        Cancel = QDialog::Rejected,
        Yes = 2,
        No = 3,
        YesToAll = 4,
    };

    explicit TConfirmReplaceDialog(QWidget *parent = nullptr);

    /// Asks about an occurrence of \a searchText, in the current language.
    void setSearchText(const QString &searchText);
    QString question() const;

    /// Its outer size, title bar and frame included; estimated before it was first shown.
    QSize outerSize() const;

private:
    QLabel *m_question;
};
