#pragma once

#include <QString>

/// Messages composed from catalogue pieces and run-time values.
namespace Messages {

/// The fixed title of every message box.
inline constexpr QStringView kBoxTitle = u"VORN Transfer - Vs.2.3.0";
/// The application's title, also the title of the standard error box.
inline constexpr QStringView kApplicationTitle = u"VORN - Transfer";

/// "ATTENTION: No open File to apply the Function \"<name>\"."
QString noOpenFile(const QString &functionName);

/// The name of the n-th new document, for example "New(1)".
QString newDocumentName(int number);

} // namespace Messages
