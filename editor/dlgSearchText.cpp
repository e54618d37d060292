#include "editor/dlgSearchText.h"

#include "app/HelpPages.h"
#include "app/Ribbon.h"
#include "editor/SearchHistory.h"
#include "i18n/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QCheckBox *addCheckBox(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    parent->layout()->addWidget(box);
    return box;
}

} // namespace

TTextSearchDialog::TTextSearchDialog(const QString &helpDir, QWidget *parent)
    : TTextSearchDialog(Kind::Find, helpDir, parent)
{ }

TTextSearchDialog::TTextSearchDialog(Kind kind, const QString &helpDir, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    const bool find = kind == Kind::Find;
    setObjectName(find ? QStringLiteral("TextSearchDialog") : QStringLiteral("TextReplaceDialog"));
    setWindowTitle(objectName());

    auto *ribbon = new Ribbon(QStringLiteral("Ribbon1"), this);
    ribbon->setCaption(caption(u"Ribbon1"));
    const QString helpPage = find ? QStringLiteral("func05.2.html") : QStringLiteral("func05.3.html");
    connect(ribbon, &Ribbon::helpRequested, this, [helpDir, helpPage] { HelpPages::open(helpDir, helpPage); });

    auto *texts = new QGroupBox(caption(u"GroupBox3"), this);
    texts->setObjectName(QStringLiteral("GroupBox3"));
    m_textRows = new QGridLayout(texts);
    auto *findLabel = new QLabel(caption(u"Label1"), texts);
    findLabel->setObjectName(QStringLiteral("Label1"));
    m_searchText = makeTextBox(QStringLiteral("cbSearchText"));
    findLabel->setBuddy(m_searchText);
    m_searchText->setAccessibleName(accessibleNameOf(findLabel->text()));
    m_textRows->addWidget(findLabel, 0, 0);
    m_textRows->addWidget(m_searchText, 0, 1);
    m_textRows->setColumnStretch(1, 1);

    auto *direction = new QGroupBox(caption(u"rgSearchDirection"), this);
    direction->setObjectName(QStringLiteral("rgSearchDirection"));
    auto *directionColumn = new QVBoxLayout(direction);
    m_forward = new QRadioButton(caption(u"rgSearchDirection.Item0"), direction);
    m_forward->setObjectName(QStringLiteral("rgSearchDirection_Item0"));
    m_backward = new QRadioButton(caption(u"rgSearchDirection.Item1"), direction);
    m_backward->setObjectName(QStringLiteral("rgSearchDirection_Item1"));
    m_forward->setChecked(true);
    directionColumn->addWidget(m_forward);
    directionColumn->addWidget(m_backward);
    directionColumn->addStretch(1);

    auto *options = new QGroupBox(caption(u"gbSearchOptions"), this);
    options->setObjectName(QStringLiteral("gbSearchOptions"));
    options->setLayout(new QVBoxLayout);
    m_caseSensitive = addCheckBox(QStringLiteral("cbSearchCaseSensitive"), caption(u"cbSearchCaseSensitive"), options);
    m_wholeWords = addCheckBox(QStringLiteral("cbSearchWholeWords"), caption(u"cbSearchWholeWords"), options);
    m_fromCursor = addCheckBox(QStringLiteral("cbSearchFromCursor"), caption(u"cbSearchFromCursor"), options);
    m_selectedOnly = addCheckBox(QStringLiteral("cbSearchSelectedOnly"), caption(u"cbSearchSelectedOnly"), options);
    m_regularExpression = addCheckBox(QStringLiteral("cbRegularExpression"), caption(u"cbRegularExpression"), options);

    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), caption(u"BitBtn1"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), caption(u"BitBtn3"), this);
    cancel->setObjectName(QStringLiteral("BitBtn3"));
    connect(ok, &QPushButton::clicked, this, &TTextSearchDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &TTextSearchDialog::reject);

    auto *choices = new QHBoxLayout;
    choices->addWidget(direction);
    choices->addWidget(options, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(ribbon);
    column->addWidget(texts);
    column->addLayout(choices);
    column->addLayout(buttons);
    m_searchText->setMinimumWidth(320);
}

QString TTextSearchDialog::caption(QStringView control) const
{
    return T(QString(objectName() + u'.' + control.toString()));
}

QString TTextSearchDialog::accessibleNameOf(QString caption)
{
    caption.remove(u'&');
    caption = caption.trimmed();
    if (caption.endsWith(u':')) {
        caption.chop(1);
    }
    return caption.trimmed();
}

QComboBox *TTextSearchDialog::makeTextBox(const QString &objectName)
{
    auto *box = new QComboBox(this);
    box->setObjectName(objectName);
    box->setEditable(true);
    // The history is kept by the dialog itself, and completing from it would
    // silently turn a short search text into a longer one.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

bool TTextSearchDialog::searchBackwards() const
{
    return m_backward->isChecked();
}

void TTextSearchDialog::setSearchBackwards(bool backwards)
{
    (backwards ? m_backward : m_forward)->setChecked(true);
}

bool TTextSearchDialog::searchCaseSensitive() const
{
    return m_caseSensitive->isChecked();
}

void TTextSearchDialog::setSearchCaseSensitive(bool on)
{
    m_caseSensitive->setChecked(on);
}

bool TTextSearchDialog::searchWholeWords() const
{
    return m_wholeWords->isChecked();
}

void TTextSearchDialog::setSearchWholeWords(bool on)
{
    m_wholeWords->setChecked(on);
}

bool TTextSearchDialog::searchFromCursor() const
{
    return m_fromCursor->isChecked();
}

void TTextSearchDialog::setSearchFromCursor(bool on)
{
    m_fromCursor->setChecked(on);
}

bool TTextSearchDialog::searchSelectedOnly() const
{
    return m_selectedOnly->isChecked();
}

void TTextSearchDialog::setSearchSelectedOnly(bool on)
{
    m_selectedOnly->setChecked(on);
}

bool TTextSearchDialog::searchRegularExpression() const
{
    return m_regularExpression->isChecked();
}

void TTextSearchDialog::setSearchRegularExpression(bool on)
{
    m_regularExpression->setChecked(on);
}

QString TTextSearchDialog::searchText() const
{
    return m_searchText->currentText();
}

void TTextSearchDialog::setSearchText(const QString &text)
{
    m_searchText->setEditText(text);
}

QStringList TTextSearchDialog::searchTextHistory() const
{
    return entries(m_searchText);
}

void TTextSearchDialog::setSearchTextHistory(const QStringList &history)
{
    const QString typed = m_searchText->currentText();
    m_searchText->clear();
    m_searchText->addItems(history);
    m_searchText->setEditText(typed);
}

QStringList TTextSearchDialog::entries(const QComboBox *box)
{
    QStringList list;
    list.reserve(box->count());
    for (int i = 0; i < box->count(); ++i) {
        list << box->itemText(i);
    }
    return list;
}

void TTextSearchDialog::rememberTypedText(QComboBox *box)
{
    const QString typed = box->currentText();
    const QStringList list = SearchHistory::add(entries(box), typed);
    box->clear();
    box->addItems(list);
    box->setEditText(typed);
}

void TTextSearchDialog::updateHistories()
{
    rememberTypedText(m_searchText);
}

void TTextSearchDialog::accept()
{
    updateHistories();
    QDialog::accept();
}

void TTextSearchDialog::centreOnScreen()
{
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    adjustSize();
    const QScreen *where = parentWidget() ? parentWidget()->screen() : screen();
    if (where) {
        move(where->availableGeometry().center() - rect().center());
    }
}

void TTextSearchDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        centreOnScreen();
    }
}
