#pragma once

#include <QStringList>
#include <QStringView>

#include <optional>

/// The rules of the editor font window: which typefaces it offers and which
/// sizes it accepts.
namespace FontChoices {

inline constexpr int kMinimumSize = 8;
inline constexpr int kMaximumSize = 1000;

/// \a size kept within kMinimumSize ... kMaximumSize (a stored 0 becomes 8).
int clampSize(int size);

/// The size the size field settles on when it is left holding \a text: blank
/// (after trimming) gives kMinimumSize, a whole number is clamped, anything
/// else gives no value (the field keeps its previous size).
std::optional<int> sizeFromText(QStringView text);

/// The typeface list: one entry per family, sorted without regard to case.
/// A foundry qualifier ("Courier [Adobe]") is dropped, so a family that
/// several foundries supply appears once; empty names are left out.
QStringList familyList(const QStringList &families);

} // namespace FontChoices
