#pragma once

#include <QString>

/// The parameter row of a directory machine (VORN_PATH).
struct PathParameters
{
    QString Directory; ///< PATH_DIR
};

/// The parameter row of an FTP machine (VORN_FTP); every value is text as typed.
struct FtpParameters
{
    QString Directory; ///< FTP_DIR
    QString Host; ///< FTP_HOST
    QString User; ///< FTP_USER
    QString Password; ///< FTP_PASSWORD
    QString Port; ///< FTP_PORT, decimal digits as typed
};

/// The parameter row of a serial machine (VORN_SERIAL): list positions as codes.
struct SerialParameters
{
    int Speed = 0; ///< SERIAL_VELOCIDADE, 1–15
    int DataBits = 0; ///< SERIAL_BIT_DADOS, 1–4
    int Parity = 0; ///< SERIAL_PARIDADE, 1–5
    int StopBits = 0; ///< SERIAL_BIT_PARADA, 1–3
    int CrLf = 0; ///< SERIAL_CR_LF, 0 or 1
    int Flow = 0; ///< SERIAL_FLUXO, 1–4
    QString Port; ///< SERIAL_PORTA, "COM1" … "COM12"
};
