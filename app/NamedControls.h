#pragma once

#include <QList>
#include <QString>

#include <utility>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

/// Controls created with the object name the language pass finds them by.
namespace NamedControls {

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent);

/// A text field at least \a minimumWidth pixels wide.
QLineEdit *namedEdit(const QString &name, int minimumWidth, bool readOnly, QWidget *parent);

/// A push button that does not become the default when it gets the focus.
QPushButton *namedButton(const QString &name, const QString &caption, QWidget *parent);

/// Lays \a box out as a column of captioned fields: each caption a label
/// "Label1", "Label2", … beside its field. Gives back the labels in order.
QList<QLabel *> addFieldRows(QWidget *box, const QList<std::pair<QString, QLineEdit *>> &rows);

/// Lays out a small fixed-size dialog: \a ribbon over \a content, then, at
/// the right, the default button "BitBtn1" captioned \a acceptCaption and
/// "BitBtn3" captioned \a cancelCaption, which rejects the dialog. Gives back
/// the default button for the caller to connect.
QPushButton *layOutFixedDialog(QDialog *dialog, QWidget *ribbon, QWidget *content, const QString &acceptCaption,
                               const QString &cancelCaption);

} // namespace NamedControls
