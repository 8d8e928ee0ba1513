// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartCommand.h"

#include "KestravaVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace kestrava {

namespace {

// Command-line failures end with 2, the status of a usage error, so that a script
// can tell them from a program that ran.
constexpr int UsageError = 2;

QString errorLine(const QString &text)
{
    return QStringLiteral("kestrava: ") + text + u'\n';
}

struct QtOption
{
    const char16_t *name;
    const char16_t *valueName; // empty for an option without a value
    const char16_t *description;
};

// The options QGuiApplication, QApplication and the X11 platform take out of
// the command line themselves, once the window's application is made. They are
// read here only to be passed over, so that neither their names nor their values
// are taken for paths or for unknown options.
constexpr QtOption qtOptions[] = {
    {u"platform", u"name", u"The platform plugin: xcb, wayland, offscreen."},
    {u"platformpluginpath", u"path", u"Where to look for platform plugins."},
    {u"platformtheme", u"name", u"The platform theme."},
    {u"plugin", u"plugin", u"An additional plugin to load."},
    {u"qwindowgeometry", u"geometry", u"The window's geometry, as WIDTHxHEIGHT+X+Y."},
    {u"qwindowicon", u"icon", u"The window's icon."},
    {u"qwindowtitle", u"title", u"The window's title."},
    {u"reverse", u"", u"Lays the window out from right to left."},
    {u"session", u"session", u"Restores the application from an earlier session."},
    {u"display", u"display", u"The X11 display, as hostname:screen_number."},
    {u"style", u"style", u"The widget style (Kestrava's own is Fusion)."},
    {u"stylesheet", u"file", u"A Qt style sheet for the window."},
    {u"widgetcount", u"", u"Prints at the end how many widgets were made."},
};

// Sets up \a parser with the options of `kestrava --help`; Qt's own are listed
// only with \a showQtOptions (for --help-all).
void setUp(QCommandLineParser &parser, bool showQtOptions)
{
    parser.setApplicationDescription(
        QStringLiteral("Renames many files at once so that their names follow one common format.\n"
                       "Starts in the current folder, in the given folder, or in the folder of the\n"
                       "given files with those files selected."));
    // Qt's options are single words after one dash (-platform, -style), not
    // a run of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    for (const QtOption &qt : qtOptions) {
        const QString valueName = QString::fromUtf16(qt.valueName);
        QCommandLineOption option(QString::fromUtf16(qt.name), QString::fromUtf16(qt.description), valueName);
        if (!showQtOptions)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("A folder, or files of one folder."),
                                 QStringLiteral("[paths...]"));
}

} // namespace

StartCommand StartCommand::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    setUp(parser, false);

    StartCommand command;
    if (!parser.parse(arguments)) {
        command.exitAtOnce = true;
        command.exitCode = UsageError;
        command.errors = errorLine(parser.errorText());
        return command;
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser everything;
        setUp(everything, true);
        command.exitAtOnce = true;
        command.output = everything.helpText();
        return command;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        command.exitAtOnce = true;
        command.output = parser.helpText();
        return command;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        command.exitAtOnce = true;
        command.output = QStringLiteral("Kestrava " KESTRAVA_VERSION "\n");
        return command;
    }

    command.styleChosen = parser.isSet(QStringLiteral("style"));
    command.start = StartPaths::resolve(parser.positionalArguments());
    if (!command.start.missing.isEmpty()) {
        command.exitAtOnce = true;
        command.exitCode = UsageError;
        command.errors = errorLine(QStringLiteral("\"%1\" does not exist").arg(command.start.missing.constFirst()));
        return command;
    }
    for (const QString &path : std::as_const(command.start.ignored))
        command.errors += errorLine(
            QStringLiteral("\"%1\" is ignored: only files of \"%2\" are opened").arg(path, command.start.folder));
    return command;
}

} // namespace kestrava
