#pragma once

#include <QGroupBox>
#include <QTimer>

#include <array>

class QGridLayout;
class QLabel;
class QLineEdit;
class SerialLine;
struct SerialWindowSettings;

/// The "Data Transfer" group of the serial transfer windows: the line settings
/// as read-only fields, room for the window's own fields, and the five signal
/// lamps (CTS, DSR, RLSD, RX, TX) kept current while the port is open.
class SerialLinePanel : public QGroupBox
{
    Q_OBJECT

public:
    /// The fields and lamps; \a line is the window's port, watched for the lamps.
    SerialLinePanel(SerialLine &line, QWidget *parent);

    /// Shows the port name and the texts of the five settings.
    void showSettings(const SerialWindowSettings &settings);

    /// Adds a field with its caption below the settings; its object names are
    /// \a labelName and \a editName.
    QLineEdit *addField(const QString &labelName, const QString &caption, const QString &editName);

    /// Lights or darkens the lamps from the port's state; called on a short
    /// timer while the port is open and whenever bytes move.
    void refreshLamps();

    /// Whether lamp \a index (0 CTS, 1 DSR, 2 RLSD, 3 RX, 4 TX) is lit.
    bool isLit(int index) const;

private:
    void setLit(int index, bool lit);
    void watchPort();

    SerialLine &m_line;
    QGridLayout *m_grid;
    std::array<QLineEdit *, 6> m_fields {};
    std::array<QLabel *, 5> m_lamps {};
    QTimer m_poll;
    qint64 m_rxUntil = 0;
    qint64 m_txUntil = 0;
};
