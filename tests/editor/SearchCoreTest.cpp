#include "editor/ConfirmPlacement.h"
#include "editor/SearchHistory.h"
#include "editor/SearchRun.h"
#include "editor/TextSearch.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace Qt::Literals::StringLiterals;

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const TextMatch &match, std::ostream *out)
{
    *out << "{" << match.start << ", " << match.length << "}";
}

namespace {

QStringList list(std::initializer_list<const char16_t *> entries)
{
    QStringList result;
    for (const char16_t *entry : entries) {
        result << QString::fromUtf16(entry);
    }
    return result;
}

// --- history -------------------------------------------------------------

struct HistoryCase
{
    const char *name;
    QStringList before;
    QString typed;
    QStringList after;
};

TEST(SearchHistory, TypedTextGoesOnTopWithoutCaseInsensitiveDuplicates)
{
    const HistoryCase cases[] = {
        {"first text", {}, u"G01"_s, list({u"G01"})},
        {"same text again", list({u"G01", u"X1"}), u"G01"_s, list({u"G01", u"X1"})},
        {"other case replaces", list({u"G01", u"X1"}), u"g01"_s, list({u"g01", u"X1"})},
        {"duplicate further down moves up", list({u"X1", u"G01", u"Y2"}), u"g01"_s, list({u"g01", u"X1", u"Y2"})},
        {"empty text changes nothing", list({u"X1"}), QString(), list({u"X1"})},
        {"blanks count", list({u"G01"}), u"G01 "_s, list({u"G01 ", u"G01"})},
    };
    for (const HistoryCase &c : cases) {
        EXPECT_EQ(SearchHistory::add(c.before, c.typed), c.after) << c.name;
    }
}

TEST(SearchHistory, KeepsTheTenMostRecentBetweenDialogs)
{
    QString kept;
    for (int i = 1; i <= 11; ++i) {
        // Each dialog starts from the kept text and keeps its list on OK.
        kept = SearchHistory::join(SearchHistory::add(SearchHistory::lines(kept), QStringLiteral("T%1").arg(i)));
    }
    const QStringList entries = SearchHistory::lines(kept);
    ASSERT_EQ(entries.size(), 10);
    EXPECT_EQ(entries.first(), u"T11"_s);
    EXPECT_EQ(entries.last(), u"T2"_s);
    EXPECT_TRUE(kept.startsWith(u"T11\r\nT10\r\n"_s));
    EXPECT_TRUE(SearchHistory::lines(QString()).isEmpty());
}

// --- confirmation placement ---------------------------------------------

struct PlacementCase
{
    const char *name;
    QPoint match;
    int lineHeight;
    QRect client;
    QSize dialog;
    QPoint expected;
};

TEST(ConfirmPlacement, AboveInTheLowerThirdBelowOtherwiseAndInsideOnTheRight)
{
    // Client area 900 x 600 at (100, 50): two thirds down is y = 50 + 400 = 450; right edge 1000.
    const QRect client(100, 50, 900, 600);
    const QSize dialog(400, 120);
    const PlacementCase cases[] = {
        {"upper part: below the line", {300, 200}, 16, client, dialog, {300, 220}},
        {"line bottom exactly at two thirds: below", {300, 434}, 16, client, dialog, {300, 454}},
        {"line bottom one past two thirds: above", {300, 435}, 16, client, dialog, {300, 435 - 120 - 4}},
        {"lower third: above", {300, 600}, 20, client, dialog, {300, 476}},
        {"fits exactly on the right", {600, 200}, 16, client, dialog, {600, 220}},
        {"would stick out on the right", {601, 200}, 16, client, dialog, {600, 220}},
        {"far right", {990, 200}, 16, client, dialog, {600, 220}},
        {"as wide as the client: its left edge", {500, 200}, 16, client, {900, 120}, {100, 220}},
        {"wider than the client: centred on it", {500, 200}, 16, client, {1000, 120}, {50, 220}},
        {"odd excess rounds down", {500, 200}, 16, client, {903, 120}, {99, 220}},
        // 100 x 2 / 3 = 66.67 rounds to 67.
        {"rounded two thirds, on it", {10, 51}, 16, QRect(0, 0, 900, 100), dialog, {10, 71}},
        {"rounded two thirds, past it", {10, 52}, 16, QRect(0, 0, 900, 100), dialog, {10, 52 - 124}},
    };
    for (const PlacementCase &c : cases) {
        EXPECT_EQ(confirmReplacePosition(c.match, c.lineHeight, c.client, c.dialog), c.expected) << c.name;
    }
}

// --- scope ---------------------------------------------------------------

TEST(SearchScope, FromTheCaretSkipsTheSelectionOtherwiseTheWholeLimit)
{
    struct Case
    {
        const char *name;
        qsizetype limitStart, limitEnd, selectionStart, selectionEnd;
        bool backwards, fromCaret;
        SearchScope expected;
    };
    const Case cases[] = {
        {"forward from caret: after the selection", 0, 100, 10, 20, false, true, {0, 100, 20}},
        {"backward from caret: before the selection", 0, 100, 10, 20, true, true, {0, 100, 10}},
        {"forward, whole scope", 0, 100, 10, 20, false, false, {0, 100, 0}},
        {"backward, whole scope", 0, 100, 10, 20, true, false, {0, 100, 100}},
        {"caret outside the limit", 30, 60, 10, 10, false, true, {30, 60, 30}},
        {"caret after the limit, backward", 30, 60, 80, 80, true, true, {30, 60, 60}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(searchScope(c.limitStart, c.limitEnd, c.selectionStart, c.selectionEnd, c.backwards, c.fromCaret),
                  c.expected)
            << c.name;
    }
}

// --- matching ------------------------------------------------------------

// Lines start at 0, 13 and 25; 38 characters in all.
const QString kProgram = u"N10 G01 X1.5\nN20 g01 X10\nN30 G010 Y2_\n"_s;

struct FindCase
{
    const char *name;
    QString pattern;
    SearchOptions options;
    bool backwards;
    qsizetype from; ///< forwards the start, backwards the end
    qsizetype limit; ///< forwards the end, backwards the start
    TextMatch expected;
};

TEST(TextSearch, FindsWithTheOptionsInBothDirections)
{
    const qsizetype end = kProgram.size();
    const SearchOptions plain;
    const SearchOptions matchCase {true, false, false};
    const SearchOptions words {false, true, false};
    const SearchOptions regex {false, false, true};
    const SearchOptions regexCase {true, false, true};
    const SearchOptions regexWords {false, true, true};
    const FindCase cases[] = {
        {"ignoring case", u"g01"_s, plain, false, 0, end, {4, 3}},
        {"matching case", u"g01"_s, matchCase, false, 0, end, {17, 3}},
        {"from a position", u"G01"_s, plain, false, 5, end, {17, 3}},
        {"inside a longer word", u"G01"_s, plain, false, 18, end, {29, 3}},
        {"whole words skip G010", u"G01"_s, words, false, 18, end, {}},
        {"a point ends a word", u"X1"_s, words, false, 0, end, {8, 2}},
        {"a digit does not", u"X1"_s, words, false, 9, end, {}},
        {"without whole words", u"X1"_s, plain, false, 9, end, {21, 2}},
        {"underscore belongs to the word", u"Y2"_s, words, false, 0, end, {}},
        {"must end inside the range", u"X10"_s, plain, false, 0, 23, {}},
        {"backward finds the last", u"g01"_s, plain, true, end, 0, {29, 3}},
        {"backward whole words", u"g01"_s, words, true, end, 0, {17, 3}},
        {"backward must end before the position", u"G01"_s, plain, true, 31, 0, {17, 3}},
        {"backward stops at the range start", u"G01"_s, plain, true, 31, 18, {}},
        {"backward nothing left", u"G01"_s, plain, true, 6, 0, {}},
        {"regex", u"X\\d+"_s, regex, false, 0, end, {8, 2}},
        {"regex classes", u"X[\\d.]+"_s, regex, false, 0, end, {8, 4}},
        {"regex lines, ignoring case", u"^n\\d+"_s, regex, false, 1, end, {13, 3}},
        {"regex matching case", u"^n\\d+"_s, regexCase, false, 0, end, {}},
        {"regex backward", u"^N\\d+"_s, regex, true, end, 0, {25, 3}},
        {"regex backward before a position", u"G0\\d+"_s, regex, true, 29, 0, {17, 3}},
        {"regex whole words choose the whole alternative", u"G0|G01"_s, regexWords, false, 0, end, {4, 3}},
        {"regex whole words skip G010", u"G01\\d*"_s, regexWords, false, 18, end, {29, 4}},
        {"regex the range end is the text end", u"X\\d+$"_s, regex, false, 0, 23, {21, 2}},
        {"empty matches are skipped", u"\\d*"_s, regex, false, 0, end, {1, 2}},
        {"only empty matches", u"Q*"_s, regex, false, 0, end, {}},
        {"empty search text", QString(), plain, false, 0, end, {}},
    };
    for (const FindCase &c : cases) {
        const TextSearch search(c.pattern, c.options);
        ASSERT_TRUE(search.isValid()) << c.name;
        const TextMatch match = c.backwards ? search.findBackward(kProgram, c.limit, c.from)
                                            : search.findForward(kProgram, c.from, c.limit);
        EXPECT_EQ(match, c.expected) << c.name;
    }
}

TEST(TextSearch, BadRegularExpressionIsReportedAndFindsNothing)
{
    const TextSearch search(u"G(1"_s, {false, false, true});
    EXPECT_FALSE(search.isValid());
    EXPECT_FALSE(search.errorString().isEmpty());
    EXPECT_FALSE(search.findForward(u"G(1"_s, 0, 3).found());
    // As plain text the same characters are fine.
    EXPECT_EQ(TextSearch(u"G(1"_s, {}).findForward(u"xG(1"_s, 0, 4), (TextMatch {1, 3}));
}

TEST(TextSearch, RegularExpressionReplacementUsesCapturedTexts)
{
    const QString text = u"N10 G01 X1"_s;
    const TextSearch regex(u"(G)0(\\d)"_s, {false, false, true});
    const TextMatch match = regex.findForward(text, 0, text.size());
    ASSERT_EQ(match, (TextMatch {4, 3}));
    EXPECT_EQ(regex.replacementFor(text, match, text.size(), u"\\2\\1\\\\\\9-\\0"_s), u"1G\\-G01"_s);
    // A plain replacement is taken as it is.
    const TextSearch plain(u"G01"_s, {});
    EXPECT_EQ(plain.replacementFor(text, match, text.size(), u"\\1"_s), u"\\1"_s);
}

// --- runs ----------------------------------------------------------------

/// Replaces the run's occurrences in \a document (UTF-8) as an editor would,
/// checking that each range holds the occurrence; \a take says which to replace.
QByteArray replaceInBytes(SearchRun &run, QByteArray document, const QString &replacement,
                          const std::function<bool(int)> &take = {})
{
    int index = 0;
    for (TextMatch match = run.next(); match.found(); match = run.next(), ++index) {
        const SearchRun::ByteRange range = run.documentRange(match);
        EXPECT_EQ(QString::fromUtf8(document.mid(range.start, range.end - range.start)),
                  run.text().mid(match.start, match.length));
        if (take && !take(index)) {
            continue;
        }
        const QByteArray bytes = run.replacementFor(match, replacement).toUtf8();
        document.replace(range.start, range.end - range.start, bytes);
        run.replaced(match, bytes.size());
    }
    return document;
}

TEST(SearchRun, ReplacesInBytesPastWideCharactersInBothDirections)
{
    // Two-, three- and four-byte characters before, between and after the occurrences.
    const QString text = u"Ä G41 € G41 \U0001F600 G41 é"_s;
    const QString expected = u"Ä G42(Ø) € G42(Ø) \U0001F600 G42(Ø) é"_s;
    const TextSearch search(u"g41"_s, {});
    for (bool backwards : {false, true}) {
        const SearchScope scope = searchScope(0, text.size(), 0, 0, backwards, false);
        SearchRun run(text, search, scope, backwards);
        const QByteArray result = replaceInBytes(run, text.toUtf8(), u"G42(Ø)"_s);
        EXPECT_EQ(QString::fromUtf8(result), expected) << (backwards ? "backwards" : "forwards");
        EXPECT_EQ(run.growth(), 3 * 4);
    }
}

TEST(SearchRun, SkippedOccurrencesStayAndReplacementsAreNotSearchedAgain)
{
    const QString text = u"G1 G1 G1 G1"_s;
    const TextSearch search(u"G1"_s, {});
    SearchRun run(text, search, searchScope(0, text.size(), 0, 0, false, false), false);
    // The replacement holds the search text: it must not be found again.
    const QByteArray result = replaceInBytes(run, text.toUtf8(), u"G1G1"_s, [](int i) { return i != 0; });
    EXPECT_EQ(QString::fromUtf8(result), u"G1 G1G1 G1G1 G1G1"_s);
}

TEST(SearchRun, RestOfTheRunIsOneEditThatReplacesEachOccurrence)
{
    // The first occurrence in the run's direction is skipped, the rest replaced in one edit.
    const QString text = u"Ä G41 € G41\n\U0001F600 G41 é G41 x"_s;
    const TextSearch search(u"G4(1)"_s, {false, false, true});
    struct Case
    {
        bool backwards;
        QString expected;
        QString last;
    };
    const Case cases[] = {
        {false, u"Ä G41 € Hé1\n\U0001F600 Hé1 é Hé1 x"_s, u"Hé1"_s},
        {true, u"Ä Hé1 € Hé1\n\U0001F600 Hé1 é G41 x"_s, u"Hé1"_s},
    };
    for (const Case &c : cases) {
        SearchRun run(text, search, searchScope(0, text.size(), 0, 0, c.backwards, false), c.backwards);
        QByteArray document = text.toUtf8();
        ASSERT_TRUE(run.next().found());
        const TextMatch second = run.next();
        const SearchRun::Edit edit = run.replaceRest(second, u"Hé\\1"_s);
        EXPECT_EQ(edit.count, 3);
        document.replace(edit.range.start, edit.range.end - edit.range.start, edit.text.toUtf8());
        EXPECT_EQ(QString::fromUtf8(document), c.expected) << (c.backwards ? "backwards" : "forwards");
        EXPECT_EQ(run.growth(), document.size() - text.toUtf8().size());
        // Forwards the last replacement is the one furthest down, backwards the one nearest the start.
        const qint64 expectedStart = c.backwards ? document.indexOf("H") : document.lastIndexOf("H");
        EXPECT_EQ(edit.last, (SearchRun::ByteRange {expectedStart, expectedStart + 4}));
        EXPECT_FALSE(run.next().found());
    }
}

TEST(SearchRun, BackwardRegularExpressionRunGoesFromTheLastOccurrence)
{
    const QString text = u"G41 X1\nG42 X2\nG41 X3\nG40\n"_s;
    const TextSearch search(u"G4([12])"_s, {false, false, true});
    SearchRun run(text, search, searchScope(0, text.size(), 14, 14, true, true), true);
    QList<qsizetype> starts;
    QByteArray document = text.toUtf8();
    for (TextMatch match = run.next(); match.found(); match = run.next()) {
        starts << match.start;
        const SearchRun::ByteRange range = run.documentRange(match);
        const QByteArray bytes = run.replacementFor(match, u"H\\1"_s).toUtf8();
        document.replace(range.start, range.end - range.start, bytes);
        run.replaced(match, bytes.size());
    }
    // From the caret at the start of line 3 back to the document's start.
    EXPECT_EQ(starts, (QList<qsizetype> {7, 0}));
    EXPECT_EQ(QString::fromUtf8(document), u"H1 X1\nH2 X2\nG41 X3\nG40\n"_s);
}

TEST(SearchRun, UnpairedSurrogateDoesNotStopARegularExpression)
{
    QString text = u"a G1 "_s;
    text[0] = QChar(0xD800);
    const TextSearch search(u"G\\d"_s, {false, false, true});
    SearchRun run(text, search, searchScope(0, text.size(), 0, 0, false, false), false);
    EXPECT_EQ(run.next(), (TextMatch {2, 2}));
}

} // namespace
