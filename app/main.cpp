// SPDX-License-Identifier: GPL-3.0-or-later
#include "KestravaForm.h"
#include "KestravaVersion.h"
#include "StartCommand.h"
#include "Translations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

// The command line is read before the window's application exists, so that --help,
// --version and a missing path need no display and show no window.
kestrava::StartCommand readCommandLine(int argc, char *argv[])
{
    const QCoreApplication reader(argc, argv);
    return kestrava::StartCommand::parse(QCoreApplication::arguments());
}

// Without a display Qt ends the program from inside QApplication's constructor,
// after a fatal message that suggests reinstalling it. While the application is
// made, Qt's messages are held back: if it is made they are passed on as they
// came; if it cannot be, one line says what is missing instead.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;
QtMessageHandler passedOnTo = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fputs("kestrava: needs a display (X11 or Wayland) and found none; kestrava-cli renames "
                   "without one\n",
                   stderr);
        // The half-made application must not be torn down: end here.
        std::_Exit(1);
    }
    heldMessages.append({type, QByteArray(context.category), text});
}

void startHoldingMessages()
{
    passedOnTo = qInstallMessageHandler(holdMessage);
}

void passOnHeldMessages()
{
    qInstallMessageHandler(passedOnTo);
    for (const HeldMessage &message : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        passedOnTo(message.type, context, message.text);
    }
    heldMessages.clear();
}

} // namespace

int main(int argc, char *argv[])
{
    const kestrava::StartCommand command = readCommandLine(argc, argv);
    QTextStream(stdout) << command.output;
    QTextStream(stderr) << command.errors;
    if (command.exitAtOnce)
        return command.exitCode;
    // The window starts in the process's current folder: a folder given to it
    // becomes that folder. One it may not read would leave the window elsewhere
    // without a word, so it is refused like a missing one.
    const QString &folder = command.start.folder;
    if (!folder.isEmpty() && (!QFileInfo(folder).isReadable() || !QDir::setCurrent(folder))) {
        QTextStream(stderr) << "kestrava: \"" << folder << "\" cannot be opened\n";
        return 2;
    }

    // Qt takes its own options (-platform, -style, -reverse, ...) out of argv here.
    startHoldingMessages();
    QApplication app(argc, argv);
    passOnHeldMessages();
    // The window places its controls at fixed pixel positions on a fixed grey; Fusion
    // draws them alike on every desktop, so the layout holds wherever it runs. A
    // style asked for by -style is the user's choice.
    if (!command.styleChosen)
        QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setApplicationName(QStringLiteral("Kestrava"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRAVA_VERSION));
    // Links the window to its launcher entry and icon; on Wayland it is the app id.
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTRAVA_APP_ID));
    // The user's language where Kestrava has it; English otherwise.
    const kestrava::Translations translations{QLocale()};
    kestrava::KestravaForm form;
    // The size, place and, when asked for, the options of the last start.
    form.rememberBetweenStarts();
    form.show();
    // The window's first showing sets the filter, which lists the folder afresh;
    // the given files are selected after it.
    if (!command.start.selectedNames.isEmpty()) {
        QTextStream err(stderr);
        for (const QString &name : form.selectFiles(command.start.selectedNames))
            err << "kestrava: \"" << name << "\" is not listed in \"" << command.start.folder << "\"\n";
    }
    return QApplication::exec();
}
