#include "i18n/ApplyLanguage.h"

#include "i18n/Catalogue.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMap>
#include <QSet>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>

namespace {

/// Texts that the code opening a window sets, never the language pass.
const QSet<QString> &excludedKeys()
{
    static const QSet<QString> keys = {QStringLiteral("Form_Transfer_SERIAL232_R.Ribbon1")};
    return keys;
}

/// The number at the end of "ItemN" / "ColumnN", or -1.
int trailingIndex(QStringView part, QStringView kind)
{
    if (!part.startsWith(kind) || part.size() == kind.size()) {
        return -1;
    }
    bool ok = false;
    const int n = part.mid(kind.size()).toInt(&ok);
    return ok ? n : -1;
}

void setHeading(QObject *control, int column, const QString &text)
{
    if (auto *tree = qobject_cast<QTreeWidget *>(control)) {
        tree->headerItem()->setText(column, text);
    } else if (auto *view = qobject_cast<QAbstractItemView *>(control); view && view->model()) {
        view->model()->setHeaderData(column, Qt::Horizontal, text);
    }
}

void setControlText(QObject *control, const QString &text)
{
    // Own "caption" properties first: the ribbon, its pages and its groups.
    if (control->metaObject()->indexOfProperty("caption") >= 0) {
        control->setProperty("caption", text);
    } else if (auto *action = qobject_cast<QAction *>(control)) {
        action->setText(text);
    } else if (auto *speed = qobject_cast<QToolButton *>(control)) {
        speed->setToolTip(text);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setText(text);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        group->setTitle(text);
    } else if (auto *widget = qobject_cast<QWidget *>(control)) {
        // A tab sheet: its caption is its tab's text.
        for (QWidget *p = widget->parentWidget(); p; p = p->parentWidget()) {
            if (auto *tabs = qobject_cast<QTabWidget *>(p)) {
                if (const int index = tabs->indexOf(widget); index >= 0) {
                    tabs->setTabText(index, text);
                }
                break;
            }
        }
    }
}

void rebuildCombo(QComboBox *combo, const QMap<int, QString> &items)
{
    const int count = items.isEmpty() ? 0 : items.lastKey() + 1;
    combo->clear();
    for (int i = 0; i < count; ++i) {
        combo->addItem(items.value(i));
    }
    combo->setCurrentIndex(-1);
}

} // namespace

void ApplyLanguage(const QList<QWidget *> &windows, const Catalogue &catalogue)
{
    QHash<QString, QWidget *> byName;
    for (QWidget *window : windows) {
        if (window) {
            byName.insert(window->objectName(), window);
        }
    }

    QHash<QComboBox *, QMap<int, QString>> combos;
    for (const QString &key : catalogue.keys()) {
        const QStringList parts = key.split(u'.');
        QWidget *window = byName.value(parts.first());
        if (!window || parts.size() < 2 || excludedKeys().contains(key)) {
            continue;
        }
        const QString text = catalogue.text(key);
        if (parts.size() == 2 && parts[1] == u"Caption") {
            window->setWindowTitle(text);
            continue;
        }
        QObject *control = window->findChild<QObject *>(parts[1]);
        if (!control) {
            continue;
        }
        if (parts.size() == 2) {
            setControlText(control, text);
        } else if (parts[2] == u"Hint") {
            if (auto *widget = qobject_cast<QWidget *>(control)) {
                widget->setToolTip(text);
            }
        } else if (const int column = trailingIndex(parts[2], u"Column"); column >= 0) {
            setHeading(control, column, text);
        } else if (const int item = trailingIndex(parts[2], u"Item"); item >= 0) {
            if (auto *combo = qobject_cast<QComboBox *>(control)) {
                combos[combo].insert(item, text);
            }
        }
    }
    for (auto it = combos.cbegin(); it != combos.cend(); ++it) {
        rebuildCombo(it.key(), it.value());
    }
}
