#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;
class Ribbon;
class TForm_Main;

/// The editor font window: the installed typefaces, the size (8 to 1000)
/// and a preview. Apply stores the font in the editor settings file and in
/// the main window's settings and gives it to every open document; Cancel
/// changes nothing.
class TForm_Font : public QDialog
{
    Q_OBJECT

public:
    /// Builds the window and its list of typefaces, once for the whole run.
    explicit TForm_Font(TForm_Main &main);

    /// The ribbon's "Font" button: prepare() and show modally.
    void open() override;

    /// Everything open() does before the modal show: caption, the stored
    /// font selected and its size, normal state, centred on the screen.
    void prepare();

    /// True when the last showing ended with a successful Apply.
    bool fontApplied() const { return m_applied; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void ComboBox1Change();
    void SpinEdit1Change();
    void BitBtn1Click();
    void updateAccessibleNames();

    TForm_Main &m_main;
    Ribbon *m_ribbon;
    QLabel *m_nameLabel;
    QLabel *m_sizeLabel;
    QComboBox *m_families;
    QSpinBox *m_size;
    QLabel *m_preview;
    bool m_applied = false;
};
