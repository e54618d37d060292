#include "ToolTestSupport.h"
#include "tools/AxisWords.h"
#include "tools/MirrorTool.h"
#include "tools/TranslateTool.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return lines;
}

/// A line split into its X, Y and Z values and the text around them.
struct Words
{
    QString skeleton;
    QList<CncNumber> values;
};

Words axisWords(QStringView line)
{
    Words words;
    line = line.trimmed();
    qsizetype i = 0;
    for (; i < line.size() && !AxisWords::isStopChar(line[i]); ++i) {
        words.skeleton += line[i];
        if (line[i] == u'X' || line[i] == u'Y' || line[i] == u'Z') {
            const qsizetype end = AxisWords::valueEnd(line, i + 1);
            const std::optional<CncNumber> value = CncNumber::read(line.sliced(i + 1, end - i - 1), u'.', true);
            if (value) {
                words.values.append(*value);
                i = end - 1;
            }
        }
    }
    words.skeleton += line.sliced(i);
    return words;
}

/// Runs a tool and returns the document after it; nothing when it refused
/// a word that cannot be computed, which must be what made it refuse.
template<typename Run> std::optional<QStringList> runOn(const QStringList &lines, Run run)
{
    const ToolResult result = run(ToolRun::viewLines(lines));
    if (result.status == ToolStatus::Refused) {
        EXPECT_FALSE(CncNumber::read(result.refusal.text.mid(1), u'.', true).has_value())
            << result.refusal.message.toStdString();
        return std::nullopt;
    }
    EXPECT_TRUE(result.completed());
    return ToolTest::applied(lines, result);
}

TranslateOptions translation(const QString &x, const QString &y, const QString &z)
{
    TranslateOptions options;
    options.x = options.y = options.z = true;
    options.xOffset = x;
    options.yOffset = y;
    options.zOffset = z;
    return options;
}

TEST(ToolSamples, TranslatingThereAndBackAndMirroringTwiceGiveBackEveryValue)
{
    const QDir dir(QStringLiteral(VORN_SAMPLES_DIR));
    if (!dir.exists()) {
        GTEST_SKIP() << "no sample programs in " << VORN_SAMPLES_DIR;
    }
    int checked = 0;
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        if (name.endsWith(u".md")) {
            continue;
        }
        const QStringList lines = readLines(dir.filePath(name));
        const auto there = translation(QStringLiteral("12.345"), QStringLiteral("-0.5"), QStringLiteral("7"));
        const auto back = translation(QStringLiteral("-12.345"), QStringLiteral("0.5"), QStringLiteral("-7"));
        const std::optional<QStringList> moved = runOn(
            lines, [&](const ToolLines &views) { return TranslateTool::run(there, views, ToolRange::whole()); });
        if (!moved) {
            continue;
        }
        const std::optional<QStringList> restored = runOn(
            *moved, [&](const ToolLines &views) { return TranslateTool::run(back, views, ToolRange::whole()); });
        MirrorOptions both;
        both.x = both.y = true;
        const auto mirror = [&](const ToolLines &views) {
            return MirrorTool::run(both, views, ToolRange::whole());
        };
        const std::optional<QStringList> mirroredOnce = runOn(lines, mirror);
        ASSERT_TRUE(restored && mirroredOnce) << name.toStdString();
        const std::optional<QStringList> mirroredTwice = runOn(*mirroredOnce, mirror);
        ASSERT_TRUE(mirroredTwice) << name.toStdString();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const Words original = axisWords(lines[i]);
            for (const QStringList *result : {&*restored, &*mirroredTwice}) {
                const Words after = axisWords(result->at(i));
                EXPECT_EQ(after.skeleton, original.skeleton) << name.toStdString() << ':' << i + 1;
                EXPECT_TRUE(after.values == original.values)
                    << name.toStdString() << ':' << i + 1 << ' ' << result->at(i).toStdString();
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

} // namespace
