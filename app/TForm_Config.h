#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class Catalogue;
class QComboBox;
class QLabel;
class QLineEdit;
class Ribbon;
class TDataModule1;
struct ProgramSettings;

/// The settings window: the machine database file and the interface language.
///
/// Nothing changes until Apply. A chosen database file must pass the data
/// module's probe before it can be adopted; Apply then writes only the keys
/// whose values changed, loads and applies a new language at once and moves
/// the help directory, and switches the database. Cancel writes nothing.
class TForm_Config : public QDialog
{
    Q_OBJECT

public:
    /// The language codes of the list's items, in item order.
    static const QList<QString> &languageCodes();

    /// \a windows lists the program's windows that a new language is applied
    /// to (this window is always included); \a centreOn is the window whose
    /// screen the dialog is centred on.
    TForm_Config(ProgramSettings &settings, TDataModule1 &dataModule, std::function<QList<QWidget *>()> windows,
                 QWidget *centreOn = nullptr);

    /// The "Configurações" button: prepare() and show modally.
    void open() override;

    /// Everything open() does before the modal show: caption, the current
    /// database path, the current language selected, nothing pending,
    /// normal state, centred.
    void prepare();

    /// The browse button: choose a database file and probe it.
    void BitBtn2Click();
    /// "&Apply": adopt the pending language and database, then close. A
    /// failure is reported and keeps the window open.
    void BitBtn1Click();

    /// The language chosen in the list ("EN", "PT-BR" or "ES").
    QString pendingLanguageCode() const { return m_pendingLanguageCode; }
    /// The database file that Apply will adopt, empty when none has passed the probe.
    QString pendingDatabasePath() const { return m_databaseProbeOk ? m_pendingDatabasePath : QString(); }

Q_SIGNALS:
    /// A new language was loaded into \a catalogue and applied to the windows.
    void languageApplied(const Catalogue &catalogue);
    /// The data module now uses the new database file; the machine lists are to be reloaded.
    void databaseSwitched();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void ComboBox1Change(int index);
    bool applyLanguage();
    bool applyDatabase();
    void centre();
    void updateAccessibleNames();

    ProgramSettings &m_settings;
    TDataModule1 &m_dataModule;
    std::function<QList<QWidget *>()> m_windows;
    QWidget *m_centreOn;

    Ribbon *m_ribbon;
    QLabel *m_databaseLabel;
    QLabel *m_languageLabel;
    QLineEdit *m_database;
    QComboBox *m_languages;

    QString m_pendingDatabasePath;
    bool m_databaseProbeOk = false;
    QString m_pendingLanguageCode;
};
