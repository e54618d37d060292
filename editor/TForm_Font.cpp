#include "editor/TForm_Font.h"

#include "app/HelpPages.h"
#include "app/IniFile.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "app/Ribbon.h"
#include "app/SettingsKeys.h"
#include "app/TForm_Main.h"
#include "app/WindowPlacement.h"
#include "editor/EditorDocuments.h"
#include "editor/FontChoices.h"
#include "editor/ProgramEditor.h"
#include "i18n/Catalogue.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

/// A size field that settles a blank or out-of-range entry when it is left.
class FontSizeBox : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

protected:
    void fixup(QString &input) const override
    {
        if (const std::optional<int> size = FontChoices::sizeFromText(input)) {
            input = QString::number(*size);
        }
    }
};

QStringList installedFamilies()
{
    QStringList families;
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family)) {
            families.append(family);
        }
    }
    return FontChoices::familyList(families);
}

} // namespace

TForm_Font::TForm_Font(TForm_Main &main)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
    , m_main(main)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
    , m_nameLabel(new QLabel(QStringLiteral("Nome da Fonte :"), this))
    , m_sizeLabel(new QLabel(QStringLiteral("Tamanho da Fonte : "), this))
    , m_families(new QComboBox(this))
    , m_size(new FontSizeBox(this))
    , m_preview(new QLabel(QStringLiteral("N10X2Y3Z4"), this))
{
    setObjectName(QStringLiteral("Form_Font"));
    setWindowTitle(QStringLiteral("Form_Font"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Fonte"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_main.settings.HelpDir, QStringLiteral("func05.9.html")); });

    auto *group = new QGroupBox(QStringLiteral(" Dados da Fonte dos Arquivos CNC "), this);
    group->setObjectName(QStringLiteral("GroupBox3"));
    m_nameLabel->setObjectName(QStringLiteral("Label1"));
    m_sizeLabel->setObjectName(QStringLiteral("Label2"));
    m_nameLabel->setParent(group);
    m_sizeLabel->setParent(group);

    m_families->setParent(group);
    m_families->setObjectName(QStringLiteral("ComboBox1"));
    m_families->setEditable(false);
    m_families->setMinimumWidth(260);
    m_families->addItems(installedFamilies());
    m_families->setCurrentIndex(-1);
    m_nameLabel->setBuddy(m_families);

    m_size->setParent(group);
    m_size->setObjectName(QStringLiteral("SpinEdit1"));
    m_size->setRange(FontChoices::kMinimumSize, FontChoices::kMaximumSize);
    m_size->setValue(FontChoices::kMinimumSize);
    m_sizeLabel->setBuddy(m_size);

    m_preview->setParent(group);
    m_preview->setObjectName(QStringLiteral("Panel1"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setFrameShadow(QFrame::Plain);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setAutoFillBackground(true);
    QPalette white = m_preview->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_preview->setPalette(white);
    // A fixed frame: a large size must not grow the dialog.
    m_preview->setFixedSize(360, 90);
    QFont previewFont = m_preview->font();
    previewFont.setPointSize(FontChoices::kMinimumSize);
    m_preview->setFont(previewFont);

    connect(m_families, &QComboBox::activated, this, &TForm_Font::ComboBox1Change);
    connect(m_size, &QSpinBox::valueChanged, this, &TForm_Font::SpinEdit1Change);

    auto *grid = new QGridLayout(group);
    grid->addWidget(m_nameLabel, 0, 0);
    grid->addWidget(m_families, 0, 1);
    grid->addWidget(m_sizeLabel, 1, 0);
    grid->addWidget(m_size, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_preview, 2, 0, 1, 2, Qt::AlignCenter);

    QPushButton *apply = NamedControls::layOutFixedDialog(this, m_ribbon, group, QStringLiteral("&Aplicar"),
                                                          QStringLiteral("&Cancelar"));
    connect(apply, &QPushButton::clicked, this, &TForm_Font::BitBtn1Click);
    updateAccessibleNames();
}

void TForm_Font::open()
{
    prepare();
    exec();
}

void TForm_Font::prepare()
{
    m_applied = false;
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(u"Form_Font.Ribbon1"));

    const QString &stored = m_main.settings.EditorFontName;
    const int index = stored.isEmpty() ? -1 : m_families->findText(stored, Qt::MatchFixedString);
    m_families->setCurrentIndex(index);
    // The preview shows what the editors will show: the stored typeface, or
    // the fall-back font when it is not installed.
    QFont preview = m_preview->font();
    preview.setFamily(index >= 0 ? m_families->itemText(index) : font().family());
    preview.setPointSize(FontChoices::clampSize(m_main.settings.EditorFontSize));
    m_preview->setFont(preview);
    m_size->setValue(FontChoices::clampSize(m_main.settings.EditorFontSize));

    updateAccessibleNames();
    WindowPlacement::centreOnScreen(this, &m_main);
}

void TForm_Font::ComboBox1Change()
{
    QFont preview = m_preview->font();
    preview.setFamily(m_families->currentText());
    m_preview->setFont(preview);
}

void TForm_Font::SpinEdit1Change()
{
    QFont preview = m_preview->font();
    preview.setPointSize(m_size->value());
    m_preview->setFont(preview);
}

void TForm_Font::BitBtn1Click()
{
    // Settle an entry the field still holds (a blank one becomes 8).
    m_size->interpretText();
    const QString name = m_families->currentIndex() >= 0 ? m_families->currentText() : QString();
    const int size = m_size->value();

    using namespace SettingsKeys;
    IniFile ini(m_main.settings.editorIniPath());
    if (!ini.writeString(kFontSection, kFontName, name) || !ini.writeInteger(kFontSection, kFontSize, size)) {
        MessageBoxes::showStandardError(this, QStringLiteral("Unable to write to %1").arg(ini.path()));
        return;
    }
    m_main.settings.EditorFontName = name;
    m_main.settings.EditorFontSize = size;
    m_applied = true;
    accept();
    m_main.documents().forEachEditor([&](ProgramEditor *editor) { editor->applyFont(name, size); });
}

void TForm_Font::updateAccessibleNames()
{
    m_families->setAccessibleName(m_nameLabel->text().trimmed());
    m_size->setAccessibleName(m_sizeLabel->text().trimmed());
}

void TForm_Font::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { WindowPlacement::centreOnScreen(this, &m_main); });
}

void TForm_Font::showEvent(QShowEvent *event)
{
    // The labels may have changed language since the last showing.
    updateAccessibleNames();
    QDialog::showEvent(event);
}
