#pragma once

#include <QDialog>

#include <functional>

class FileBrowser;
class QLabel;
class QLineEdit;
class Ribbon;
class TForm_Main;

/// The product directory window: creates the directory customer_product_revision
/// (a customer text with "/" nests folders) below the current machine's program
/// directory, then moves the file browser there.
class TForm_DIR : public QDialog
{
    Q_OBJECT

public:
    /// \a programsDir gives the current machine's program directory (ending in
    /// "/", empty when no machine is current) each time the window opens.
    TForm_DIR(TForm_Main &main, FileBrowser &browser, std::function<QString()> programsDir);

    /// The "Criar Diretório" button: prepare() and show modally.
    void open() override;

    /// Everything open() does before the modal show: caption, the program
    /// directory, the three input fields emptied, normal state, centred.
    void prepare();

    /// "&Cadastrar": checks the fields, creates the directory and closes;
    /// a failed check or creation reports why and keeps the window open.
    void BitBtn1Click();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void updateAccessibleNames();

    TForm_Main &m_main;
    FileBrowser &m_browser;
    std::function<QString()> m_programsDir;
    Ribbon *m_ribbon;
    QLabel *m_labels[4];
    QLineEdit *m_programs;
    QLineEdit *m_customer;
    QLineEdit *m_product;
    QLineEdit *m_revision;
};
