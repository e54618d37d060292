// vorn-tools: applies one CNC program tool to a program file, for batches and
// scripts. It runs the same transforms as the tool windows and keeps the
// file's encoding and line breaks as saving it from the editor would.

#include "editor/ProgramFile.h"
#include "i18n/Catalogue.h"
#include "tools/ArcCentreTool.h"
#include "tools/MirrorTool.h"
#include "tools/RenumberTool.h"
#include "tools/SpacesTool.h"
#include "tools/ToolRun.h"
#include "tools/TranslateTool.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

enum ExitStatus {
    kSuccess = 0,
    kRefused = 1,
    kUsageError = 2,
};

constexpr int kMaxSpinValue = 100000000;

const char kHelp[] = R"(Usage: vorn-tools TOOL [OPTIONS] FILE [-o OUT]

Applies one CNC program tool to FILE and writes the result to standard output,
or to OUT with -o. The result keeps FILE's encoding (8-bit Windows-1252 or
UTF-16) and line-break style, as saving the program from the editor would.

Tools:
  spaces     (--add | --remove)                        [--lines A:B] FILE [-o OUT]
  renumber   [--digits N] [--renumber --start S --increment I]
                                                       [--lines A:B] FILE [-o OUT]
  convert-ij (--to-absolute | --to-incremental) [--plus]
                                                       [--lines A:B] FILE [-o OUT]
  translate  [--x D] [--y D] [--z D] [--plus]          [--lines A:B] FILE [-o OUT]
  mirror     [--x] [--y] [--swap-g02] [--swap-g03] [--swap-g41] [--swap-g42] [--plus]
                                                       [--lines A:B] FILE [-o OUT]

spaces:
  --add             put a blank in front of each address letter
  --remove          take the blanks out
renumber:
  --digits N        pad block numbers with zeros to N digits (1 to 9)
  --renumber        renumber the blocks
  --start S         first block number, 0 to 100000000 (default 0)
  --increment I     step between block numbers, 1 to 100000000 (default 1)
convert-ij:
  --to-absolute     arc centres I, J from incremental to absolute
  --to-incremental  arc centres I, J from absolute to incremental
translate:
  --x D, --y D, --z D
                    add D to every X, Y or Z value; D is a number with "." as
                    decimal point (an empty D counts as 0)
mirror:
  --x, --y          change the sign of every X or Y value
  --swap-g02        G02 becomes G03 (G2 becomes G3)
  --swap-g03        G03 becomes G02 on lines the G02 swap left unchanged
  --swap-g41        G41 becomes G42
  --swap-g42        G42 becomes G41 on lines the G41 swap left unchanged
Common:
  --plus            write "+" in front of values that are not negative
  --lines A:B       only lines A to B (counted from 1); without it the whole file
  -o OUT            write the result to OUT instead of standard output
  --log             print the log entry (title and detail lines) to standard error
  --help            show this text

Exit status:
  0  the tool ran and the result was written
  1  the input was refused (a value that is not a number, a block number beyond
     2147483647; the message names the file, the line and the offending text),
     or a file could not be read or written; no output file is written then
  2  the command line is wrong
)";

void printError(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

/// Thrown for a command line that cannot be run.
struct UsageError
{
    QString message;
};

/// The parsed command line.
struct Command
{
    QString tool;
    QString file;
    QString output;
    bool log = false;
    ToolRange range;

    SpacesOptions spaces;
    RenumberOptions renumber;
    bool startGiven = false;
    bool incrementGiven = false;
    ArcCentreOptions arcCentre;
    TranslateOptions translate;
    MirrorOptions mirror;
};

int wholeNumber(const QString &option, const QString &text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum) {
        throw UsageError {option + u": expected a whole number from " + QString::number(minimum) + u" to "
                          + QString::number(maximum) + u", got \"" + text + u'"'};
    }
    return value;
}

QString offset(const QString &option, const QString &text)
{
    if (!TranslateTool::readOffset(text, u'.')) {
        throw UsageError {option + u": " + ToolRun::refuseOffset(text).refusal.message};
    }
    return text;
}

Command parse(const QStringList &arguments)
{
    Command command;
    if (arguments.isEmpty()) {
        throw UsageError {QStringLiteral("no tool given")};
    }
    command.tool = arguments.first();
    const QStringList tools = {QStringLiteral("spaces"), QStringLiteral("renumber"), QStringLiteral("convert-ij"),
                               QStringLiteral("translate"), QStringLiteral("mirror")};
    if (!tools.contains(command.tool)) {
        throw UsageError {u"unknown tool \"" + command.tool + u'"'};
    }
    const QString &tool = command.tool;

    qsizetype i = 1;
    auto value = [&](const QString &option) {
        if (i + 1 >= arguments.size()) {
            throw UsageError {option + u" needs a value"};
        }
        return arguments.at(++i);
    };
    auto flagFor = [&](const QString &option, const QString &forTool, bool &flag) {
        if (tool != forTool) {
            throw UsageError {option + u" does not apply to " + tool};
        }
        flag = true;
    };
    bool add = false;
    bool remove = false;
    bool toAbsolute = false;
    bool toIncremental = false;
    for (; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == u"--log") {
            command.log = true;
        } else if (arg == u"-o") {
            command.output = value(arg);
        } else if (arg == u"--lines") {
            const QString text = value(arg);
            const QStringList parts = text.split(u':');
            if (parts.size() != 2) {
                throw UsageError {u"--lines: expected A:B, got \"" + text + u'"'};
            }
            command.range = ToolRange::lines(wholeNumber(arg, parts.at(0), 1, kMaxSpinValue),
                                             wholeNumber(arg, parts.at(1), 1, kMaxSpinValue));
        } else if (arg == u"--plus") {
            if (tool == u"spaces" || tool == u"renumber") {
                throw UsageError {u"--plus does not apply to " + tool};
            }
            command.arcCentre.plus = command.translate.plus = command.mirror.plus = true;
        } else if (arg == u"--add") {
            flagFor(arg, QStringLiteral("spaces"), add);
        } else if (arg == u"--remove") {
            flagFor(arg, QStringLiteral("spaces"), remove);
        } else if (arg == u"--digits") {
            bool given = false;
            flagFor(arg, QStringLiteral("renumber"), given);
            command.renumber.digits = wholeNumber(arg, value(arg), 1, RenumberTool::kMaxDigits);
        } else if (arg == u"--renumber") {
            flagFor(arg, QStringLiteral("renumber"), command.renumber.renumber);
        } else if (arg == u"--start") {
            flagFor(arg, QStringLiteral("renumber"), command.startGiven);
            command.renumber.start = wholeNumber(arg, value(arg), 0, kMaxSpinValue);
        } else if (arg == u"--increment") {
            flagFor(arg, QStringLiteral("renumber"), command.incrementGiven);
            command.renumber.increment = wholeNumber(arg, value(arg), 1, kMaxSpinValue);
        } else if (arg == u"--to-absolute") {
            flagFor(arg, QStringLiteral("convert-ij"), toAbsolute);
        } else if (arg == u"--to-incremental") {
            flagFor(arg, QStringLiteral("convert-ij"), toIncremental);
        } else if ((arg == u"--x" || arg == u"--y" || arg == u"--z") && tool == u"translate") {
            const QString d = offset(arg, value(arg));
            if (arg == u"--x") {
                command.translate.x = true;
                command.translate.xOffset = d;
            } else if (arg == u"--y") {
                command.translate.y = true;
                command.translate.yOffset = d;
            } else {
                command.translate.z = true;
                command.translate.zOffset = d;
            }
        } else if (arg == u"--x" || arg == u"--y") {
            flagFor(arg, QStringLiteral("mirror"), arg == u"--x" ? command.mirror.x : command.mirror.y);
        } else if (arg == u"--swap-g02") {
            flagFor(arg, QStringLiteral("mirror"), command.mirror.swapG02);
        } else if (arg == u"--swap-g03") {
            flagFor(arg, QStringLiteral("mirror"), command.mirror.swapG03);
        } else if (arg == u"--swap-g41") {
            flagFor(arg, QStringLiteral("mirror"), command.mirror.swapG41);
        } else if (arg == u"--swap-g42") {
            flagFor(arg, QStringLiteral("mirror"), command.mirror.swapG42);
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            throw UsageError {u"unknown option \"" + arg + u'"'};
        } else if (command.file.isEmpty()) {
            command.file = arg;
        } else {
            throw UsageError {u"more than one FILE: \"" + command.file + u"\" and \"" + arg + u'"'};
        }
    }

    if (command.file.isEmpty()) {
        throw UsageError {QStringLiteral("no FILE given")};
    }
    if (tool == u"spaces") {
        if (add == remove) {
            throw UsageError {QStringLiteral("spaces needs one of --add and --remove")};
        }
        command.spaces.choice = add ? SpacesChoice::Add : SpacesChoice::Remove;
    }
    if (tool == u"renumber" && !command.renumber.renumber && (command.startGiven || command.incrementGiven)) {
        throw UsageError {QStringLiteral("--start and --increment need --renumber")};
    }
    if (tool == u"convert-ij") {
        if (toAbsolute == toIncremental) {
            throw UsageError {QStringLiteral("convert-ij needs one of --to-absolute and --to-incremental")};
        }
        command.arcCentre.mode = toAbsolute ? ArcCentreMode::ToAbsolute : ArcCentreMode::ToIncremental;
    }
    return command;
}

ToolResult runTool(const Command &command, const ToolLines &lines)
{
    if (command.tool == u"spaces") {
        return SpacesTool::run(command.spaces, lines, command.range);
    }
    if (command.tool == u"renumber") {
        return RenumberTool::run(command.renumber, lines, command.range);
    }
    if (command.tool == u"convert-ij") {
        return ArcCentreTool::run(command.arcCentre, lines, command.range);
    }
    if (command.tool == u"translate") {
        return TranslateTool::run(command.translate, lines, command.range);
    }
    return MirrorTool::run(command.mirror, lines, command.range);
}

bool writeStandardOutput(const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0;
}

int execute(const Command &command)
{
    QString error;
    const std::optional<DecodedProgram> program = readProgramFile(command.file, &error);
    if (!program) {
        printError(command.file + u": " + error);
        return kRefused;
    }
    const ToolLines lines = ToolRun::splitLines(program->text);
    const ToolResult result = runTool(command, lines);
    if (result.status == ToolStatus::Refused) {
        printError(command.file + u": " + result.refusal.message);
        return kRefused;
    }

    const QString text = result.changes.isEmpty() ? program->text : ToolRun::joinLines(lines, result.changes);
    if (command.output.isEmpty()) {
        if (!writeStandardOutput(encodeProgram(text, program->format))) {
            printError(QStringLiteral("vorn-tools: cannot write to standard output"));
            return kRefused;
        }
    } else if (!writeProgramFile(command.output, text, program->format, &error)) {
        printError(command.output + u": " + error);
        return kRefused;
    }

    if (command.log) {
        printError(result.log.title);
        for (const QString &detail : result.log.details) {
            if (!detail.trimmed().isEmpty()) {
                printError(detail);
            }
        }
    }
    return kSuccess;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    if (arguments.contains(u"--help") || arguments.contains(u"-h")) {
        std::fputs(kHelp, stdout);
        return kSuccess;
    }
    Catalogue::current().load(QStringLiteral("EN"));
    try {
        return execute(parse(arguments));
    } catch (const UsageError &usage) {
        printError(u"vorn-tools: " + usage.message);
        printError(QStringLiteral("Try 'vorn-tools --help'."));
        return kUsageError;
    }
}
