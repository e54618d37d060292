// Measures the CNC program tools on a generated 1,000,000-line milling
// program (about 30 MB): each transform over all lines in the core against an
// equivalent awk program on the same file, and vorn-tools end to end against
// the core transform plus reading and writing the file.

#include "MillingProgram.h"
#include "editor/ProgramFile.h"
#include "i18n/Catalogue.h"
#include "tools/ArcCentreTool.h"
#include "tools/MirrorTool.h"
#include "tools/RenumberTool.h"
#include "tools/SpacesTool.h"
#include "tools/ToolRun.h"
#include "tools/TranslateTool.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>
#include <sys/resource.h>

namespace {

// The awk programs doing the same work; numbers are printed with 15
// significant digits, like the tools.
const char kAwkSplit[] = "{ s = $0; sub(/^[ \\t]+/, \"\", s); sub(/[ \\t]+$/, \"\", s);"
                         "  i = match(s, /[#%(){}]/); if (i) { h = substr(s, 1, i - 1); t = substr(s, i) }"
                         "  else { h = s; t = \"\" } ";

const char kAwkRewrite[] = "BEGIN { CONVFMT = \"%.15g\"; OFMT = \"%.15g\" }"
                           "function rw(s, L, d, neg,   out, v) { out = \"\";"
                           "  while (match(s, L \"[-+.,0-9]+\")) { v = substr(s, RSTART + 1, RLENGTH - 1) + 0;"
                           "    v = neg ? -v : v + d; out = out substr(s, 1, RSTART - 1) L v;"
                           "    s = substr(s, RSTART + RLENGTH) } return out s }";

struct Transform
{
    const char *name;
    std::function<ToolResult(const ToolLines &)> core;
    QString awk;
    QStringList cli; ///< the vorn-tools arguments before FILE
};

QList<Transform> transforms()
{
    const QString split = QString::fromLatin1(kAwkSplit);
    const QString rewrite = QString::fromLatin1(kAwkRewrite);
    TranslateOptions translate;
    translate.x = translate.y = translate.z = true;
    translate.xOffset = QStringLiteral("10.5");
    translate.yOffset = QStringLiteral("-5");
    translate.zOffset = QStringLiteral("1");
    MirrorOptions mirror;
    mirror.x = mirror.y = mirror.swapG02 = mirror.swapG03 = true;
    return {
        {"spaces --remove",
         [](const ToolLines &lines) { return SpacesTool::run({SpacesChoice::Remove}, lines, ToolRange::whole()); },
         split + u"gsub(/ /, \"\", h); print h t }",
         {QStringLiteral("spaces"), QStringLiteral("--remove")}},
        {"spaces --add",
         [](const ToolLines &lines) { return SpacesTool::run({SpacesChoice::Add}, lines, ToolRange::whole()); },
         split + u"gsub(/[ABCDFGHIJKLMPQRSTXYZ]/, \" &\", h); if (t ~ /^[({]/) t = \" \" t; print h t }",
         {QStringLiteral("spaces"), QStringLiteral("--add")}},
        {"renumber --renumber",
         [](const ToolLines &lines) {
             return RenumberTool::run({0, true, 10, 10}, lines, ToolRange::whole());
         },
         QStringLiteral("BEGIN { n = 0 } { s = $0; if (s ~ /^[ \\t]*$/ || s ~ /[#%]/) { print s; next }"
                        "  if (match(s, /^[ \\t]*N[0-9]+/)) { b = s; sub(/N.*/, \"\", b);"
                        "    s = b substr(s, RSTART + RLENGTH) }"
                        "  else if (s !~ /^[(ABCFGIJKMRSTXYZ]/) { print s; next }"
                        "  n += 10; print \"N\" n s }"),
         {QStringLiteral("renumber"), QStringLiteral("--renumber"), QStringLiteral("--start"), QStringLiteral("10"),
          QStringLiteral("--increment"), QStringLiteral("10")}},
        {"convert-ij --to-incremental",
         [](const ToolLines &lines) {
             return ArcCentreTool::run({ArcCentreMode::ToIncremental, false, u'.'}, lines, ToolRange::whole());
         },
         rewrite + split
             + u"if (match(h, /X[-+.,0-9]+/)) x = substr(h, RSTART + 1, RLENGTH - 1) + 0;"
               "  if (match(h, /Y[-+.,0-9]+/)) y = substr(h, RSTART + 1, RLENGTH - 1) + 0;"
               "  h = rw(h, \"I\", -x, 0); h = rw(h, \"J\", -y, 0); print h t }",
         {QStringLiteral("convert-ij"), QStringLiteral("--to-incremental")}},
        {"translate --x --y --z",
         [translate](const ToolLines &lines) { return TranslateTool::run(translate, lines, ToolRange::whole()); },
         rewrite + split + u"h = rw(h, \"X\", 10.5, 0); h = rw(h, \"Y\", -5, 0); h = rw(h, \"Z\", 1, 0); print h t }",
         {QStringLiteral("translate"), QStringLiteral("--x"), QStringLiteral("10.5"), QStringLiteral("--y"),
          QStringLiteral("-5"), QStringLiteral("--z"), QStringLiteral("1")}},
        {"mirror --x --y --swap-g02 --swap-g03",
         [mirror](const ToolLines &lines) { return MirrorTool::run(mirror, lines, ToolRange::whole()); },
         rewrite + split
             + u"h = rw(h, \"X\", 0, 1); h = rw(h, \"Y\", 0, 1);"
               "  if (!sub(/G0?2([^0-9.]|$)/, \"G03 \", h)) sub(/G0?3([^0-9.]|$)/, \"G02 \", h); print h t }",
         {QStringLiteral("mirror"), QStringLiteral("--x"), QStringLiteral("--y"), QStringLiteral("--swap-g02"),
          QStringLiteral("--swap-g03")}},
    };
}

/// Wall-clock and CPU time of one measured step, in milliseconds. On a
/// machine shared with other work the CPU time is the steadier figure.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

double processCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double childrenCpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval &t) {
        return t.tv_sec * 1e3 + t.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

/// Times \a step in this process.
template<typename Step> Timing measure(Step step)
{
    QElapsedTimer timer;
    const double cpu = processCpuMs();
    timer.start();
    step();
    return {double(timer.nsecsElapsed()) / 1e6, processCpuMs() - cpu};
}

/// Each figure is the best of this many runs, so that another process taking
/// the processor for a moment does not decide a ratio.
constexpr int kRepeats = 3;

Timing bestOf(const Timing &a, const Timing &b)
{
    return {std::min(a.wall, b.wall), std::min(a.cpu, b.cpu)};
}

/// Runs \a program to its end and times it; nothing when it failed.
std::optional<Timing> runProcess(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    const double cpu = childrenCpuMs();
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::printf("  %s failed (status %d, exit code %d): %s\n", qPrintable(program), int(process.exitStatus()),
                    process.exitCode(), process.readAllStandardError().constData());
        return std::nullopt;
    }
    return Timing {double(timer.nsecsElapsed()) / 1e6, childrenCpuMs() - cpu};
}

bool report(const QByteArray &figure, double cpuRatio, double wallRatio, const char *target, bool pass)
{
    std::printf("%-62s %6.2f (wall %6.2f)  target %-6s %s\n", figure.constData(), cpuRatio, wallRatio, target,
                pass ? "PASS" : "FAIL");
    return pass;
}

bool writeProgram(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(millingProgram(kLines)) >= 0;
}

} // namespace

int main(int argc, char **argv)
{
    // "bench_tools --write FILE" only writes the generated program, for trying
    // the awk programs by hand.
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0) {
        return writeProgram(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    Catalogue::current().load(QStringLiteral("EN"));
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("bench.nc"));
    if (!writeProgram(input)) {
        std::printf("cannot write %s\n", qPrintable(input));
        return 1;
    }
    std::printf("Program: %d lines, %.1f MB. Times in ms as CPU (wall), best of %d;\nratios of CPU times (of wall times).\n", kLines,
                QFileInfo(input).size() / 1e6, kRepeats);

    QString error;
    std::optional<DecodedProgram> program;
    ToolLines lines;
    const Timing read = measure([&] {
        program = readProgramFile(input, &error);
        if (program) {
            lines = ToolRun::splitLines(program->text);
        }
    });
    if (!program) {
        std::printf("cannot read %s: %s\n", qPrintable(input), qPrintable(error));
        return 1;
    }
    std::printf("Read, decode and split: %.0f (%.0f)\n", read.cpu, read.wall);

    bool allPass = true;
    const QString coreOutput = dir.filePath(QStringLiteral("core.nc"));
    const QString cliOutput = dir.filePath(QStringLiteral("cli.nc"));
    for (const Transform &t : transforms()) {
        ToolResult result;
        QString text;
        Timing core = measure([&] {
            result = t.core(lines);
            text = ToolRun::joinLines(lines, result.changes);
        });
        for (int i = 1; i < kRepeats; ++i) {
            core = bestOf(core, measure([&] {
                              result = t.core(lines);
                              text = ToolRun::joinLines(lines, result.changes);
                          }));
        }
        if (!result.completed()) {
            std::printf("%s: the run did not complete: %s\n", t.name, qPrintable(result.refusal.message));
            return 1;
        }
        Timing write = measure([&] { writeProgramFile(coreOutput, text, program->format, &error); });
        for (int i = 1; i < kRepeats; ++i) {
            write = bestOf(write, measure([&] { writeProgramFile(coreOutput, text, program->format, &error); }));
        }
        text.clear();
        std::optional<Timing> awk;
        std::optional<Timing> cli;
        for (int i = 0; i < kRepeats; ++i) {
            const std::optional<Timing> awkRun = runProcess(QStringLiteral("awk"), {t.awk, input});
            const std::optional<Timing> cliRun = runProcess(
                QStringLiteral(VORN_TOOLS_EXE), t.cli + QStringList {input, QStringLiteral("-o"), cliOutput});
            if (!awkRun || !cliRun) {
                awk.reset();
                cli.reset();
                break;
            }
            awk = awk ? bestOf(*awk, *awkRun) : *awkRun;
            cli = cli ? bestOf(*cli, *cliRun) : *cliRun;
        }
        if (!awk || !cli) {
            allPass = false;
            continue;
        }
        QFile coreFile(coreOutput);
        QFile cliFile(cliOutput);
        const bool same = coreFile.open(QIODevice::ReadOnly) && cliFile.open(QIODevice::ReadOnly)
            && coreFile.readAll() == cliFile.readAll();

        std::printf("%s: %lld lines changed%s\n", t.name, qint64(result.changes.size()),
                    same ? "" : "; the outputs of the core and of vorn-tools differ!");
        std::printf("  core %.0f (%.0f), awk %.0f (%.0f), vorn-tools %.0f (%.0f), write %.0f (%.0f)\n", core.cpu,
                    core.wall, awk->cpu, awk->wall, cli->cpu, cli->wall, write.cpu, write.wall);
        const double speedUp = awk->cpu / std::max(core.cpu, 1.0);
        allPass &= report("  core speed-up over awk: " + QByteArray(t.name), speedUp,
                          awk->wall / std::max(core.wall, 1.0), ">= 2", speedUp >= 2.0);
        const double endToEnd = cli->cpu / std::max(core.cpu + read.cpu + write.cpu, 1.0);
        allPass &= report("  vorn-tools / (core + read + write): " + QByteArray(t.name), endToEnd,
                          cli->wall / std::max(core.wall + read.wall + write.wall, 1.0), "<= 1.5", endToEnd <= 1.5);
        allPass &= same;
    }
    return allPass ? 0 : 1;
}
