#include "editor/dlgConfirmReplace.h"

#include "i18n/Catalogue.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QPushButton *addButton(const QString &objectName, const QString &text, QBoxLayout *row, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    row->addWidget(button);
    return button;
}

} // namespace

TConfirmReplaceDialog::TConfirmReplaceDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_question(new QLabel(this))
{
    setObjectName(QStringLiteral("ConfirmReplaceDialog"));
    setWindowTitle(QStringLiteral("ConfirmReplaceDialog"));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(iconSize));
    image->setAlignment(Qt::AlignTop);
    m_question->setObjectName(QStringLiteral("lblConfirmation"));
    m_question->setTextFormat(Qt::PlainText);
    m_question->setWordWrap(true);
    m_question->setMinimumWidth(300);

    auto *message = new QHBoxLayout;
    message->addWidget(image);
    message->addWidget(m_question, 1);

    // The buttons' texts are the same in every language.
    auto *row = new QHBoxLayout;
    QPushButton *replace = addButton(QStringLiteral("btnReplace"), QStringLiteral("&Yes"), row, this);
    QPushButton *skip = addButton(QStringLiteral("btnSkip"), QStringLiteral("&No"), row, this);
    QPushButton *cancel = addButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), row, this);
    QPushButton *all = addButton(QStringLiteral("btnReplaceAll"), QStringLiteral("Yes to &all"), row, this);
    replace->setDefault(true);
    connect(replace, &QPushButton::clicked, this, [this] { done(Yes); });
    connect(skip, &QPushButton::clicked, this, [this] { done(No); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, [this] { done(YesToAll); });

    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addLayout(message);
    column->addLayout(row);
}

void TConfirmReplaceDialog::setSearchText(const QString &searchText)
{
    m_question->setText(Catalogue::current().format(u"Msg.Search.ConfirmReplace", searchText));
    adjustSize();
}

QString TConfirmReplaceDialog::question() const
{
    return m_question->text();
}

QSize TConfirmReplaceDialog::outerSize() const
{
    const QRect outer = frameGeometry();
    if (outer.size() != size()) {
        return outer.size();
    }
    // The window system tells the frame only once the dialog has been shown.
    return size() + QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
}
