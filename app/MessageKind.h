#pragma once

#include <QString>

#include <optional>

/// The kind of a message box, which fixes its icon and buttons.
enum class MessageKind {
    Error, ///< error icon, OK
    Information, ///< information icon, OK
    Question, ///< question icon, Yes and No
    Attention, ///< warning icon, OK
};

/// The kind named by the prefix a message text starts with ("ERROR:",
/// "INFORMATION:", "QUESTION:", "ATTENTION:" or their Portuguese and Spanish
/// forms, in capitals), or nothing when the text has no such prefix.
std::optional<MessageKind> messageKindOf(const QString &text);
