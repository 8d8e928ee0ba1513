// SPDX-License-Identifier: GPL-3.0-or-later
// Presets: the file format's table of broken files, saving, choosing, replacing
// and deleting in the window and on the command line, the same names from both,
// and the window's remembered place.
#include "ChooserTestKit.h"
#include "FindControl.h"
#include "CliTestKit.h"
#include "KestravaForm.h"
#include "MoreOptionsDialog.h"
#include "OptionsPage.h"
#include "PresetController.h"
#include "PresetStore.h"
#include "Prompt.h"
#include "GoPage.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QScreen>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

/// Answers the questions with Yes or No from a queue and the name boxes from another.
class AnsweringPrompt : public Prompt
{
public:
    QList<PromptAnswer> answers;
    QStringList names;
    QStringList asked;

    PromptAnswer ask(const QString &, const QString &text) override
    {
        asked.append(text);
        return answers.isEmpty() ? PromptAnswer::Cancel : answers.takeFirst();
    }
    std::optional<QString> askText(const QString &, const QString &text, const QString &) override
    {
        asked.append(text);
        if (names.isEmpty())
            return std::nullopt;
        return names.takeFirst();
    }
};

/// The day the command line's runs are given, for the window too.
class FixedClock : public RunClock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2005, 3, 6), QTime(10, 0)); }
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString presetPath(const QString &name)
{
    return presets::presetFolder() + u'/' + name + QStringLiteral(".json");
}

} // namespace

class TestPresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fileReadsBackItsValues();
    void brokenFiles_data();
    void brokenFiles();
    void names_data();
    void names();
    void saveChooseReplaceDeleteInTheWindow();
    void saveListAndUseOnTheCommandLine();
    void windowAndCommandLineGiveTheSameNames_data();
    void windowAndCommandLineGiveTheSameNames();
    void placeRemembered();
    void placeNoScreenShowsIsDropped();
    void optionsRememberedOnlyWhenAsked();

private:
    CliOutput cli(const QString &folder, const QStringList &arguments)
    {
        return runKestravaCli(folder, m_state.path(), QDate(2005, 3, 6), arguments, {});
    }
    QTemporaryDir m_state;
};

void TestPresets::init()
{
    QDir(presets::presetFolder()).removeRecursively();
    QSettings(QStringLiteral("kestrava"), QStringLiteral("org.kestrava.Kestrava")).clear();
}

void TestPresets::fileReadsBackItsValues()
{
    presets::PresetValues values;
    values.options.spaces = SpaceConversion::ToUnderscores;
    values.options.numbering.digits = 5;
    values.options.findRegex = true;
    values.options.findText = QStringLiteral("(\\d+)");
    values.options.whenTaken = WhenTaken::Number;
    values.options.dateSource = DateSource::Taken;
    values.postfixCountText = QStringLiteral("0042");
    const QByteArray json = presets::toJson(values);
    // Readable by a person: each option named, its value in words.
    QVERIFY(json.contains("\"spaces\": \"underscores\""));
    QVERIFY(json.contains("\"counterDigits\": 5"));
    QVERIFY(json.contains("\"formatVersion\": 1"));
    QVERIFY(json.contains("\"postfixCounterStart\": 42"));
    const presets::ReadPreset read = presets::fromJson(json);
    QCOMPARE(read.problems, QStringList());
    QCOMPARE(presets::toJson(read.values), json);
}

void TestPresets::brokenFiles_data()
{
    QTest::addColumn<QByteArray>("content"); // empty with link: a link to a good preset
    QTest::addColumn<bool>("link");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("spaces"); // the "spaces" value the rest loads with
    QTest::newRow("bad JSON") << QByteArray("{\"spaces\": \"dots\",") << false
                              << "The file is not a JSON object" << "ignore";
    QTest::newRow("unknown key") << QByteArray(R"({"spaces": "dots", "colour": "red"})") << false
                                 << "\"colour\": not an option Kestrava knows; ignored" << "dots";
    QTest::newRow("wrong type") << QByteArray(R"({"spaces": "dots", "counterDigits": "five"})") << false
                                << "\"counterDigits\": \"five\" is not a number; left at 4" << "dots";
    QTest::newRow("out of range") << QByteArray(R"({"spaces": "dots", "counterDigits": 12})") << false
                                  << "\"counterDigits\": 12 is not 1 to 9; taken as 9" << "dots";
    QTest::newRow("unknown word") << QByteArray(R"({"spaces": "tabs"})") << false
                                  << "\"spaces\": \"tabs\" is not one of ignore, remove, underscores, dashes, dots; "
                                     "left at \"ignore\""
                                  << "ignore";
    QTest::newRow("newer format") << QByteArray(R"({"formatVersion": 2, "spaces": "dots"})") << false
                                  << "\"formatVersion\": 2 is not a format this version reads (1)" << "dots";
    QTest::newRow("empty file") << QByteArray() << false << "The file is empty" << "ignore";
    QTest::newRow("link") << QByteArray(R"({"spaces": "dots"})") << true << "The preset is a link" << "ignore";
}

void TestPresets::brokenFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, link);
    QFETCH(QString, message);
    QFETCH(QString, spaces);
    if (link) {
        QTemporaryDir elsewhere;
        QDir().mkpath(presets::presetFolder());
        writeFile(elsewhere.filePath(QStringLiteral("real.json")), content);
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("real.json")), presetPath(QStringLiteral("broken"))));
    } else {
        writeFile(presetPath(QStringLiteral("broken")), content);
    }
    const presets::ReadPreset read = presets::loadPreset(QStringLiteral("broken"));
    QVERIFY2(read.problems.join(u'\n').contains(message), qPrintable(read.problems.join(u'\n')));
    QVERIFY(presets::toJson(read.values).contains(QByteArray("\"spaces\": \"" + spaces.toUtf8() + '"')));

    // The window names the field in one box; the rest of the preset loads.
    WindowRig rig;
    rig.start();
    PresetController *presetsOf = rig.form->presetController();
    presetsOf->fillList();
    presetsOf->choose(QStringLiteral("broken"));
    QCOMPARE(rig.errors.texts.size(), 1);
    QVERIFY2(rig.errors.texts.first().contains(message), qPrintable(rig.errors.texts.first()));
    QVERIFY(presets::toJson(presetsOf->values()).contains(QByteArray("\"spaces\": \"" + spaces.toUtf8() + '"')));

    // The command line names it on standard error, and goes on.
    const CliOutput out = cli(rig.root(), {QStringLiteral("--preset"), QStringLiteral("broken"), QStringLiteral(".")});
    QCOMPARE(out.status, 0);
    QVERIFY2(QString::fromUtf8(out.err).contains(message), out.err.constData());
}

void TestPresets::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("words") << "Card photos" << true;
    QTest::newRow("umlaut and dots") << "Fotos ä.b" << true;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("control character") << "a\tb" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("too long") << QString(251, u'x') << false;
}

void TestPresets::names()
{
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(!presets::nameProblem(name), usable);
    QCOMPARE(bool(presets::savePreset(name, {})), usable);
    QCOMPARE(presets::presetNames().contains(name), usable);
}

void TestPresets::saveChooseReplaceDeleteInTheWindow()
{
    WindowRig rig;
    rig.start();
    AnsweringPrompt prompt;
    PresetController *presetsOf = rig.form->presetController();
    presetsOf->setPrompt(&prompt);
    const auto &dialog = rig.form->optionsPage()->moreOptions()->ui();
    auto *tab = rig.form->optionsPage();
    QCOMPARE(dialog.cmbPreset->count(), 1);
    QCOMPARE(dialog.cmbPreset->itemText(0), QStringLiteral("(none)"));

    findControl<QRadioButton>(tab, "optSpacesToUnderscores")->setChecked(true);
    dialog.txtCounterDigits->setText(QStringLiteral("5"));
    prompt.names = {QStringLiteral("img10"), QStringLiteral("img2")};
    dialog.cmdSavePreset->click();
    findControl<QRadioButton>(tab, "optConvertUppercase")->setChecked(true);
    dialog.cmdSavePreset->click();
    QFile saved(presetPath(QStringLiteral("img10")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray json = saved.readAll();
    QVERIFY(json.contains("\"spaces\": \"underscores\"") && json.contains("\"counterDigits\": 5"));
    // Natural order, "(none)" first.
    QCOMPARE(dialog.cmbPreset->count(), 3);
    QCOMPARE(dialog.cmbPreset->itemText(1), QStringLiteral("img2"));
    QCOMPARE(dialog.cmbPreset->itemText(2), QStringLiteral("img10"));

    // Choosing sets every option; an edit marks it until saved again.
    presetsOf->choose(QStringLiteral("img10"));
    QVERIFY(findControl<QRadioButton>(tab, "optIgnoreCase")->isChecked());
    QCOMPARE(dialog.txtCounterDigits->text(), QStringLiteral("5"));
    findControl<QCheckBox>(tab, "chkRemoveTildas")->setChecked(true);
    QCOMPARE(dialog.cmbPreset->currentText(), QStringLiteral("img10*"));
    findControl<QCheckBox>(tab, "chkRemoveTildas")->setChecked(false);
    QCOMPARE(dialog.cmbPreset->currentText(), QStringLiteral("img10"));
    findControl<QCheckBox>(tab, "chkRemoveTildas")->setChecked(true);

    // Replacing asks first; No keeps the file.
    prompt.names = {QStringLiteral("img10"), QStringLiteral("img10")};
    prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};
    dialog.cmdSavePreset->click();
    QVERIFY(!presets::loadPreset(QStringLiteral("img10")).values.options.removeTildas);
    dialog.cmdSavePreset->click();
    QVERIFY(presets::loadPreset(QStringLiteral("img10")).values.options.removeTildas);
    QCOMPARE(dialog.cmbPreset->currentText(), QStringLiteral("img10"));

    // A name that cannot be a file name is refused with a message.
    prompt.names = {QStringLiteral("a/b")};
    dialog.cmdSavePreset->click();
    QCOMPARE(rig.errors.texts, QStringList{QStringLiteral("A preset name cannot hold \"/\".")});

    // Deleting asks first.
    prompt.answers = {PromptAnswer::No};
    dialog.cmdDeletePreset->click();
    QVERIFY(presets::presetExists(QStringLiteral("img10")));
    prompt.answers = {PromptAnswer::Yes};
    dialog.cmdDeletePreset->click();
    QVERIFY(!presets::presetExists(QStringLiteral("img10")));
    QCOMPARE(dialog.cmbPreset->currentIndex(), 0);
    QVERIFY(!dialog.cmdDeletePreset->isEnabled());
}

void TestPresets::saveListAndUseOnTheCommandLine()
{
    QTemporaryDir folder;
    QVERIFY(makeFiles(folder.path(), {QStringLiteral("a b.txt")}));
    const auto save = [&](const QStringList &arguments) { return cli(folder.path(), arguments); };
    QCOMPARE(save({"--save-preset", "Under", "--spaces", "underscores", "--counter-digits", "5"}).status, 0);
    QCOMPARE(save({"--save-preset", "dots", "--spaces", "dots"}).status, 0);
    QCOMPARE(save({"--save-preset", "a/b"}).status, 2);
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("a_b.txt")))); // saving renames nothing
    QCOMPARE(save({"--list-presets"}).out, QByteArray("dots\nUnder\n"));
    QFile file(presetPath(QStringLiteral("Under")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\"counterDigits\": 5"));
    // Replacing: saving again under the name.
    QCOMPARE(save({"--save-preset", "Under", "--spaces", "underscores", "--case", "upper"}).status, 0);
    QCOMPARE(presets::loadPreset(QStringLiteral("Under")).values.options.caseConversion, CaseConversion::Uppercase);
    // Options given with it override the preset's.
    CliOutput run = save({"--preset", "Under", "--case", "lower", "--json", "."});
    QVERIFY2(run.out.contains("\"new\":\"a_b.txt\""), run.out.constData());
    run = save({"--preset", "Under", "--apply", "."});
    QCOMPARE(run.status, 0);
    QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("A_B.TXT"))));
    // The journal names the preset, and the undo says so.
    run = save({"--undo"});
    QVERIFY2(run.err.contains("with the preset \"Under\""), run.err.constData());
    QCOMPARE(save({"--preset", "missing", "."}).status, 2);
    QVERIFY(presets::removePreset(QStringLiteral("dots")).has_value());
    QCOMPARE(save({"--list-presets"}).out, QByteArray("Under\n"));
}

void TestPresets::windowAndCommandLineGiveTheSameNames_data()
{
    QTest::addColumn<QByteArray>("preset");
    QTest::newRow("spaces and case") << QByteArray(R"({"spaces": "underscores", "case": "upper"})");
    QTest::newRow("counters") << QByteArray(R"({"prefixCounter": true, "prefixCounterStart": 7, "counterStep": 10,
        "counterDigits": 6, "postfix": true, "postfixText": "_x"})");
    QTest::newRow("find, trim, date") << QByteArray(R"({"find": "IMG", "replace": "photo", "trim": true,
        "trimLength": 9, "postfixDate": true, "postfixDateFormat": "yyyy-mm-dd"})");
    QTest::newRow("regex without a control") << QByteArray(R"j({"find": "(\\d+)", "replace": "n$1", "findIsRegex": true})j");
    QTest::newRow("broken fields") << QByteArray(R"({"spaces": 3, "counterDigits": 0, "prefixCounter": true})");
}

void TestPresets::windowAndCommandLineGiveTheSameNames()
{
    QFETCH(QByteArray, preset);
    writeFile(presetPath(QStringLiteral("p")), preset);
    const QStringList files{"IMG 2.jpg", "IMG 10.jpg", "img 1 b.png", "notes.txt"};
    WindowRig rig;
    QVERIFY(makeFiles(rig.root(), files));
    rig.start();
    FixedClock clock;
    rig.form->setClock(&clock);
    rig.form->presetController()->fillList();
    rig.form->presetController()->choose(QStringLiteral("p"));
    // The names the window gives the listed files in the list's order.
    QStringList windowNames;
    rig.form->optionsPage()->loadCounters();
    for (const QString &name : rig.listed())
        windowNames.append(name + u'>' + rig.form->BuildNewFilename(name).value_or(QString()));
    const CliOutput out = cli(rig.root(), {QStringLiteral("--preset"), QStringLiteral("p"), QStringLiteral("--json"), QStringLiteral(".")});
    QStringList cliNames;
    for (const QJsonObject &file : out.json())
        if (file.contains(QStringLiteral("new")))
            cliNames.append(file.value(QStringLiteral("old")).toString() + u'>' + file.value(QStringLiteral("new")).toString());
    cliNames.sort();
    windowNames.sort();
    QCOMPARE(windowNames, cliNames);
    rig.form->setClock(nullptr);
}

void TestPresets::placeRemembered()
{
    {
        WindowRig rig;
        rig.start();
        rig.form->rememberBetweenStarts();
        rig.form->setGeometry(QRect(QPoint(30, 40), rig.form->minimumSize() + QSize(50, 20)));
        rig.form->close();
    }
    WindowRig rig;
    rig.start();
    rig.form->rememberBetweenStarts();
    QCOMPARE(rig.form->geometry().topLeft(), QPoint(30, 40));
    QCOMPARE(rig.form->size(), rig.form->minimumSize() + QSize(50, 20));
}

void TestPresets::placeNoScreenShowsIsDropped()
{
    QSettings settings(QStringLiteral("kestrava"), QStringLiteral("org.kestrava.Kestrava"));
    // A place on a second screen, to the right of this one, that is gone.
    settings.setValue(QStringLiteral("window/geometry"), QRect(5000, 40, 700, 500));
    settings.sync();
    WindowRig rig;
    rig.start();
    rig.form->rememberBetweenStarts();
    QVERIFY(rig.form->screen()->geometry().contains(rig.form->geometry()));
}

void TestPresets::optionsRememberedOnlyWhenAsked()
{
    {
        WindowRig rig;
        rig.start();
        rig.form->rememberBetweenStarts();
        findControl<QCheckBox>(rig.form->optionsPage(), "chkRemoveTildas")->setChecked(true);
        rig.form->close();
    }
    {
        // Off by default: the start-up state stays as it was designed.
        WindowRig rig;
        rig.start();
        rig.form->rememberBetweenStarts();
        QVERIFY(!findControl<QCheckBox>(rig.form->optionsPage(), "chkRemoveTildas")->isChecked());
        QVERIFY(!rig.form->optionsPage()->moreOptions()->ui().chkRememberOptions->isChecked());
        findControl<QCheckBox>(rig.form->optionsPage(), "chkRemoveTildas")->setChecked(true);
        rig.form->optionsPage()->moreOptions()->ui().chkRememberOptions->setChecked(true);
        rig.form->close();
    }
    WindowRig rig;
    rig.start();
    rig.form->rememberBetweenStarts();
    QVERIFY(findControl<QCheckBox>(rig.form->optionsPage(), "chkRemoveTildas")->isChecked());
    QVERIFY(rig.form->optionsPage()->moreOptions()->ui().chkRememberOptions->isChecked());
    QCOMPARE(rig.form->goPage()->ui().StartButton->isEnabled(), true);
}

QTEST_MAIN(TestPresets)
#include "tst_presets.moc"
