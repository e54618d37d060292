#pragma once

#include <QDialog>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;
class Ribbon;
class FileListModel;
struct CurrentMachine;
struct ProgramSettings;

/// The directory transfer window: copies one program between the machine's
/// local program directory and a machine that reads its programs from a
/// local or network directory, under a name the user may change.
///
/// Sending copies the file chosen in the main window into the machine
/// directory; receiving copies an entry chosen in the list of the machine
/// directory into the local program directory. The list shows the machine
/// directory in both directions.
class TForm_Transfer_DIR : public QDialog
{
    Q_OBJECT

public:
    /// \a settings gives the help directory at the moment help is asked for.
    explicit TForm_Transfer_DIR(const ProgramSettings &settings);

    /// False while sending, true while receiving: only then does choosing in the list do anything.
    bool DirReceiveMode = false;

    /// Prepares the window to send \a file into the machine directory. False,
    /// after the missing-directory error, when that directory does not exist.
    bool prepareSend(const CurrentMachine &machine, const QString &file);
    /// Prepares the window to receive from the machine directory into the
    /// program directory. False, after the missing-directory error, when the
    /// machine directory does not exist.
    bool prepareReceive(const CurrentMachine &machine);

    /// Prepares for one direction (\a file is ignored when receiving) and shows
    /// the window modally; false when the window was not shown.
    bool showTransfer(const CurrentMachine &machine, const QString &file, bool receive);

    /// The copy's target: the trimmed directory, one "/", the trimmed name.
    static QString targetPath(const QString &directory, const QString &name);

    /// "&Transfer CNC File": copies the origin to the machine directory.
    void BitBtn1Click();
    /// "&Receive CNC File": copies the chosen entry to the program directory.
    void BitBtn2Click();
    /// "&Select File": takes the list's selected entry as origin (receive only).
    void BitBtn4Click();

    /// The list of the machine directory.
    QTreeView *directoryList() const { return m_list; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void prepareCommon(const CurrentMachine &machine);
    bool showDirectory(const QString &machineDir);
    void chooseEntry(const QModelIndex &index);
    void copyAndClose(const std::initializer_list<QPushButton *> &buttons);
    void setColumnCaptions();
    void centre();

    const ProgramSettings &m_settings;
    Ribbon *m_ribbon;
    QLabel *m_directoryLabel;
    QLineEdit *m_number;
    QLineEdit *m_description;
    QLineEdit *m_directory;
    QLineEdit *m_origin;
    QLineEdit *m_destination;
    QFileSystemModel *m_files;
    FileListModel *m_model;
    QTreeView *m_list;
    QPushButton *m_send;
    QPushButton *m_receive;
    QPushButton *m_cancel;
    QPushButton *m_select;
};
