#pragma once

#include "machines/MachineForm.h"
#include "transfer/FtpClient.h"
#include "transfer/SerialLine.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class Ribbon;
class TDataModule1;
struct ProgramSettings;

/// The machine register window: registers a new machine, changes a registered
/// one or shows one read-only, with a test of the communication on each
/// parameter page. The main window prepares it for one of the three modes and
/// shows it modally; a successful save emits machineSaved() and closes it.
class TForm_Maquinas : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Register, Edit, View };

    /// \a settings gives the help directory and the settings file that maps
    /// port names to devices; both are read when used.
    TForm_Maquinas(TDataModule1 &dataModule, const ProgramSettings &settings, QWidget *parent = nullptr);
    ~TForm_Maquinas() override;

    /// Clears the window, sets its caption, buttons and locks for \a mode and,
    /// for Edit and View, fills it from machine \a machineId. Returns false when
    /// the machine cannot be read (the database's text is shown in the standard
    /// error box) or is no longer registered (another workstation may have
    /// deleted it); the window must then not be shown.
    bool prepare(Mode mode, qint64 machineId = 0);

    /// prepare(), then shows the window modally in normal state, centred.
    /// True when the machine was saved.
    bool showModal(Mode mode, qint64 machineId = 0);

    /// Empties the texts, hides the parameter pages, puts every list on its
    /// blank entry, resets the flow indicators, unticks CR/LF, removes the picture.
    void FUNC_Limpar_Form_Maquinas();
    /// Makes the machine's fields read-only and its lists unchangeable.
    void FUNC_Bloquear_Campos_Maquinas();
    /// Makes the machine's fields editable again.
    void FUNC_Liberar_Campos_Maquinas();
    /// Fills the fields from machine \a id and its parameter row, then shows
    /// the page of its type and its picture. False on a database failure
    /// (the fields are then left as they were).
    bool FUNC_Listar_BD_Maquinas(qint64 id);

    /// The machine being edited or viewed; after a registration, the new one.
    qint64 editedMachineId() const { return m_editedMachineId; }
    Mode mode() const { return m_mode; }

    /// The values of the controls.
    MachineForm form() const;

    /// "&Register": validates, appends the machine and its parameters, reports
    /// and closes. A failed check or database error keeps the window open.
    void BitBtn1Click();
    /// "Ch&ange": validates and saves over the edited machine, reports and closes.
    /// A machine deleted meanwhile is reported and nothing is written.
    void BitBtn2Click();
    /// Program directory and machine directory pickers.
    void BitBtn4Click();
    void BitBtn5Click();
    /// The FTP, serial and directory communication tests; nothing is saved.
    void Button1Click();
    void Button2Click();
    void Button3Click();

    /// The port the serial test opens, kept between tests: a CUSTOM flow uses
    /// the flow it has, which starts as XON/XOFF in both directions.
    const SerialLine &testPort() const { return m_testPort; }

Q_SIGNALS:
    /// A machine was registered or changed; emitted before the window closes.
    void machineSaved();

protected:
    void changeEvent(QEvent *event) override;

private:
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox8Change();
    void showParameterPage(QWidget *page);
    void focusField(MachineField field);
    QWidget *fieldWidget(MachineField field) const;
    /// False, after saying why, when machine \a id cannot be read or is gone.
    bool stillRegistered(qint64 id);
    /// Shows a failed check's message and focuses its field; true when the form may be saved.
    bool validated();
    void saved(const QString &message);
    /// The folder picker: the chosen folder, ending in "/", goes into \a field.
    void pickFolder(const QLabel *caption, QLineEdit *field);
    /// Runs one communication test with its button disabled and the wait cursor.
    template<typename Test> void runTest(QPushButton *button, Test test);
    void centre();

    TDataModule1 &m_dataModule;
    const ProgramSettings &m_settings;
    Mode m_mode = Mode::Register;
    qint64 m_editedMachineId = 0;
    SerialLine m_testPort;
    FtpClient m_testFtp;

    Ribbon *m_ribbon;
    QLineEdit *m_number; // Edit1
    QLineEdit *m_description; // Edit2
    QLineEdit *m_machineDir; // Edit3
    QLineEdit *m_ftpHost; // Edit4
    QLineEdit *m_ftpPort; // Edit5
    QLineEdit *m_ftpUser; // Edit6
    QLineEdit *m_ftpPassword; // Edit7
    QLineEdit *m_ftpDirectory; // Edit8
    QLineEdit *m_programsDir; // Edit9
    QComboBox *m_transferType; // ComboBox1
    QComboBox *m_picture; // ComboBox2
    QComboBox *m_comPort; // ComboBox3
    QComboBox *m_speed; // ComboBox4
    QComboBox *m_dataBits; // ComboBox5
    QComboBox *m_parity; // ComboBox6
    QComboBox *m_stopBits; // ComboBox7
    QComboBox *m_flow; // ComboBox8
    QCheckBox *m_crLf; // CheckBox1
    QLabel *m_image; // Image1
    QLabel *m_programsDirLabel;
    QLabel *m_machineDirLabel;
    std::array<QLabel *, 8> m_flowIndicators; // Label27 … Label34
    QTabWidget *m_pages;
    QWidget *m_directoryPage; // TabSheet1
    QWidget *m_ftpPage; // TabSheet2
    QWidget *m_serialPage; // TabSheet3
    QPushButton *m_register; // BitBtn1
    QPushButton *m_change; // BitBtn2
    QPushButton *m_pickProgramsDir; // BitBtn4
    QPushButton *m_pickMachineDir; // BitBtn5
    QPushButton *m_testFtpButton; // Button1
    QPushButton *m_testSerialButton; // Button2
    QPushButton *m_testDirectoryButton; // Button3
};
