// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started with arguments: what it prints, its exit status, and
// that no window is needed for --help, --version or a missing path.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endsWithoutAWindow_data();
    void endsWithoutAWindow();
    void namesPathsOfOtherFoldersAndStarts();
    void takesQtOptions_data();
    void takesQtOptions();
};

namespace {

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

} // namespace

void TestCommandLine::endsWithoutAWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");

    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0 << QStringLiteral("Kestrava 1.3\n")
                               << QString();
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << 0 << QStringLiteral("--version") << QString();
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("[paths...]") << QString();
    QTest::newRow("a missing path") << QStringList{QStringLiteral("."), QStringLiteral("no such file")} << 2
                                    << QString() << QStringLiteral("kestrava: \"no such file\" does not exist\n");
    QTest::newRow("an unknown option") << QStringList{QStringLiteral("--frobnicate")} << 2 << QString()
                                       << QStringLiteral("kestrava: Unknown option 'frobnicate'.\n");
    QTest::newRow("no display") << QStringList{QStringLiteral(".")} << 1 << QString()
                                << QStringLiteral("kestrava: needs a display (X11 or Wayland) and found none; "
                                                  "kestrava-cli renames without one\n");
    QTest::newRow("--help-all") << QStringList{QStringLiteral("--help-all")} << 0
                                << QStringLiteral("--qwindowtitle <title>") << QString();
}

// Output is compared whole where it is one line, else by a piece it must hold.
void TestCommandLine::endsWithoutAWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);

    QProcess program;
    // No display at all: these must not need one.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KESTRAVA_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    if (output.endsWith(u'\n') || output.isEmpty())
        QCOMPARE(printed, output);
    else
        QVERIFY2(printed.contains(output), qPrintable(printed));
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), errors);
}

void TestCommandLine::namesPathsOfOtherFoldersAndStarts()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("Photos")) && root.mkpath(QStringLiteral("Music")));
    for (const char *name : {"Photos/a.jpg", "Music/song.ogg"}) {
        QFile file(root.filePath(QString::fromUtf8(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QProcess program;
    program.setProcessEnvironment(offscreen());
    program.setWorkingDirectory(root.path());
    program.start(QStringLiteral(KESTRAVA_PROGRAM), {QStringLiteral("Photos/a.jpg"), QStringLiteral("Music/song.ogg")});
    QVERIFY(program.waitForStarted());
    QByteArray errors;
    QTRY_VERIFY_WITH_TIMEOUT((errors += program.readAllStandardError()).contains("\"Music/song.ogg\" is ignored"),
                             10000);
    // The other path does not stop the window: the program keeps running.
    QTest::qWait(1000);
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY2(!errors.contains("a.jpg"), errors.constData());
    program.kill();
    program.waitForFinished();
}

void TestCommandLine::takesQtOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("-platform -style") << QStringList{"-platform", "offscreen", "-style", "Fusion"};
    QTest::newRow("--platform -qwindowtitle -reverse")
        << QStringList{"--platform", "offscreen", "-qwindowtitle", "Renaming", "-reverse"};
    QTest::newRow("-style=") << QStringList{"-platform", "offscreen", "-style=Windows"};
}

// No display but the one -platform names: the window can only open if Qt took it.
void TestCommandLine::takesQtOptions()
{
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A hidden file exists but is never listed: the window names it once it is shown.
    QFile hidden(dir.filePath(QStringLiteral(".hidden")));
    QVERIFY(hidden.open(QIODevice::WriteOnly));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KESTRAVA_PROGRAM), options + QStringList{hidden.fileName()});
    QVERIFY(program.waitForStarted());
    QByteArray errors;
    QTRY_VERIFY_WITH_TIMEOUT((errors += program.readAllStandardError()).contains("\".hidden\" is not listed"), 10000);
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY2(!errors.contains("nknown option"), errors.constData());
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
