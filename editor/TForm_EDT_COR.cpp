#include "editor/TForm_EDT_COR.h"

#include "app/HelpPages.h"
#include "app/IniFile.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "app/Ribbon.h"
#include "app/SettingsKeys.h"
#include "app/TForm_Main.h"
#include "app/UserDialogs.h"
#include "app/WindowPlacement.h"
#include "editor/ColourNames.h"
#include "i18n/Catalogue.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

/// The object name number of each row's label, in row order.
constexpr std::array<int, TForm_EDT_COR::kRows> kLabelNumbers
    = {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 3, 21, 22};

/// What each row colours, as its design caption names it.
constexpr std::array<QStringView, TForm_EDT_COR::kRows> kRowSubjects
    = {u"A", u"B", u"C", u"F", u"G", u"I", u"J", u"K",  u"M",  u"N",  u"R",
       u"S", u"T", u"X", u"Y", u"Z", u"%", u"#", u"<>", u"()", u"{}", u"[]"};

constexpr int kLeftColumnRows = 12;

} // namespace

TForm_EDT_COR::TForm_EDT_COR(TForm_Main &main)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
    , m_main(main)
    , m_ribbon(new Ribbon(QStringLiteral("Ribbon1"), this))
{
    setObjectName(QStringLiteral("Form_EDT_COR"));
    setWindowTitle(QStringLiteral("Form_EDT_COR"));
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0 - Cor Código G"));
    connect(m_ribbon, &Ribbon::helpRequested, this,
            [this] { HelpPages::open(m_main.settings.HelpDir, QStringLiteral("func05.10.html")); });

    auto *group = new QGroupBox(QStringLiteral(" Cores Padrões para o código G "), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setColumnMinimumWidth(4, 24);
    for (int row = 0; row < kRows; ++row) {
        const int n = row + 1;
        Row &r = m_rows[row];
        r.label = new QLabel(u"Função " + kRowSubjects[row] + u" :", group);
        r.label->setObjectName(u"Label" + QString::number(kLabelNumbers[row]));
        r.name = new QLineEdit(group);
        r.name->setObjectName(u"Edit" + QString::number(n));
        r.name->setReadOnly(true);
        r.name->setFixedWidth(r.name->fontMetrics().horizontalAdvance(QStringLiteral("clMoneyGreen")) + 16);
        r.swatch = new QFrame(group);
        r.swatch->setObjectName(u"Shape" + QString::number(n));
        r.swatch->setFixedSize(22, 22);
        r.swatch->setFrameShape(QFrame::Box);
        r.swatch->setAutoFillBackground(true);
        r.button = new QToolButton(group);
        r.button->setObjectName(u"SpeedButton" + QString::number(n));
        r.button->setText(QStringLiteral("..."));
        r.button->setAutoRaise(true);
        r.label->setBuddy(r.button);
        connect(r.button, &QToolButton::clicked, this, [this, row] { chooseColour(row); });

        // Rows 1 to 12 on the left, the others on the right.
        const int gridRow = row < kLeftColumnRows ? row : row - kLeftColumnRows;
        const int column = row < kLeftColumnRows ? 0 : 5;
        grid->addWidget(r.label, gridRow, column);
        grid->addWidget(r.name, gridRow, column + 1);
        grid->addWidget(r.swatch, gridRow, column + 2);
        grid->addWidget(r.button, gridRow, column + 3);
        setRowColour(row, 0);
    }

    QPushButton *apply = NamedControls::layOutFixedDialog(this, m_ribbon, group, QStringLiteral("&Aplicar"),
                                                          QStringLiteral("&Cancelar"));
    connect(apply, &QPushButton::clicked, this, &TForm_EDT_COR::BitBtn1Click);
    updateAccessibleNames();
}

void TForm_EDT_COR::open()
{
    prepare();
    exec();
}

void TForm_EDT_COR::prepare()
{
    m_applied = false;
    setWindowState(Qt::WindowNoState);
    m_ribbon->setCaption(T(u"Form_EDT_COR.Ribbon1"));
    for (int row = 0; row < kRows; ++row) {
        setRowColour(row, m_main.settings.GCodeColours[row]);
    }
    updateAccessibleNames();
    WindowPlacement::centreOnScreen(this, &m_main);
}

void TForm_EDT_COR::setRowColour(int row, qint32 value)
{
    m_values[row] = value;
    const ColourNames::Rgb rgb = ColourNames::rgbOf(value);
    QPalette palette = m_rows[row].swatch->palette();
    palette.setColor(QPalette::Window, QColor(rgb.red, rgb.green, rgb.blue));
    m_rows[row].swatch->setPalette(palette);
    m_rows[row].name->setText(ColourNames::colourName(value));
}

void TForm_EDT_COR::chooseColour(int row)
{
    const std::optional<QColor> chosen = UserDialogs::instance().colour(this, m_lastColour);
    if (!chosen || !chosen->isValid()) {
        return;
    }
    m_lastColour = *chosen;
    setRowColour(row, ColourNames::windowsColour(chosen->red(), chosen->green(), chosen->blue()));
}

void TForm_EDT_COR::BitBtn1Click()
{
    using namespace SettingsKeys;
    IniFile ini(m_main.settings.editorIniPath());
    for (int row = 0; row < kRows; ++row) {
        if (!ini.writeInteger(kColourSections[row], kColourValue, m_values[row])) {
            // The colours stay in the window, so the user can try again or cancel.
            MessageBoxes::showStandardError(this, QStringLiteral("Unable to write to %1").arg(ini.path()));
            return;
        }
    }
    m_main.settings.GCodeColours = m_values;
    m_applied = true;
    accept();
    if (m_coloursApplied) {
        m_coloursApplied();
    }
}

void TForm_EDT_COR::updateAccessibleNames()
{
    for (const Row &r : m_rows) {
        r.name->setAccessibleName(r.label->text());
        r.button->setAccessibleName(r.label->text());
    }
}

void TForm_EDT_COR::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    WindowPlacement::returnFromMaximised(this, event, [this] { WindowPlacement::centreOnScreen(this, &m_main); });
}

void TForm_EDT_COR::showEvent(QShowEvent *event)
{
    // The labels may have changed language since the last showing.
    updateAccessibleNames();
    QDialog::showEvent(event);
}
