// SPDX-License-Identifier: GPL-3.0-or-later
// Folders and files dropped on the real window, offscreen, over real temporary folders.
#include "ChooserTestKit.h"
#include "FindControl.h"
#include "GoPage.h"
#include "GoProgress.h"
#include "GoRunTestKit.h"
#include "RunController.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

/// Sends a drag over the middle of \a form and, when it is taken, the drop of
/// \a paths; returns whether the drag was taken.
bool drop(QWidget &form, const QStringList &paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime.setUrls(urls);
    const QPoint middle = form.rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(middle), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &dropped);
    return dropped.isAccepted();
}

} // namespace

class TestWindowDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropOpens_data();
    void dropOpens();
    void dropDuringARunIsRefused();
    void commandLineSelectionNamesUnlistedFiles();
};

// The dropped paths are relative to a fresh folder holding Photos/ (a.jpg, b.jpg,
// c.jpg, Beach/) and Music/ (song.ogg); the window starts in Music/.
void TestWindowDrop::dropOpens_data()
{
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<bool>("allFilesScope");

    QTest::newRow("a folder: every file, all files in it")
        << QStringList{QStringLiteral("Photos")} << "Photos" << QStringList{"a.jpg", "b.jpg", "c.jpg"} << true;
    QTest::newRow("files: just them, selected files")
        << QStringList{QStringLiteral("Photos/c.jpg"), QStringLiteral("Photos/a.jpg")} << "Photos"
        << QStringList{"a.jpg", "c.jpg"} << false;
    QTest::newRow("files of two folders: the first one's")
        << QStringList{QStringLiteral("Photos/b.jpg"), QStringLiteral("Music/song.ogg")} << "Photos"
        << QStringList{"b.jpg"} << false;
    QTest::newRow("a file of the current folder")
        << QStringList{QStringLiteral("Music/song.ogg")} << "Music" << QStringList{"song.ogg"} << false;
}

void TestWindowDrop::dropOpens()
{
    QFETCH(QStringList, dropped);
    QFETCH(QString, folder);
    QFETCH(QStringList, selected);
    QFETCH(bool, allFilesScope);

    WindowRig rig;
    QVERIFY(rig.isValid());
    QVERIFY(makeFiles(rig.root() + QStringLiteral("/Photos"), {"a.jpg", "b.jpg", "c.jpg"}));
    QVERIFY(QDir().mkpath(rig.root() + QStringLiteral("/Photos/Beach")));
    QVERIFY(makeFiles(rig.root() + QStringLiteral("/Music"), {"song.ogg"}));
    QVERIFY(QDir::setCurrent(rig.root() + QStringLiteral("/Music")));
    rig.start();
    rig.form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::SetOptions));

    QStringList paths;
    for (const QString &path : std::as_const(dropped))
        paths.append(rig.root() + u'/' + path);
    QVERIFY(drop(*rig.form, paths));

    QCOMPARE(rig.folders().path(), rig.root() + u'/' + folder);
    QCOMPARE(rig.selected(), selected);
    QCOMPARE(findControl<QRadioButton>(rig.page(), "optAllFilesCurrentDir")->isChecked(), allFilesScope);
    QCOMPARE(findControl<QRadioButton>(rig.page(), "optSelectedFiles")->isChecked(), !allFilesScope);
    // What was opened is shown.
    QCOMPARE(rig.form->SSTabStrip()->currentIndex(), int(KestravaForm::Tab::ChooseFiles));
    QCOMPARE(rig.errors.texts, QStringList());
}

void TestWindowDrop::dropDuringARunIsRefused()
{
    WindowRig rig;
    QVERIFY(rig.isValid());
    QVERIFY(makeFiles(rig.root(), {"b.txt"}));
    QVERIFY(makeFiles(rig.root() + QStringLiteral("/Photos"), {"a.jpg"}));
    rig.start();
    findControl<QRadioButton>(rig.page(), "optAllFilesCurrentDir")->setChecked(true);
    rig.form->runController()->progress()->setIntervals(0, 0);
    bool dropped = true;
    atNextYield(rig.form.get(), [&] {
        QVERIFY(rig.form->runInProgress());
        dropped = drop(*rig.form, {rig.root() + QStringLiteral("/Photos")})
            || drop(*rig.form, {rig.root() + QStringLiteral("/Photos/a.jpg")});
    });
    findControl<QPushButton>(rig.form->goPage(), "StartButton")->click();
    QVERIFY(!dropped);
    QCOMPARE(rig.folders().path(), rig.root());
    QCOMPARE(rig.selected(), QStringList());
}

// The command line's files are selected in the window already shown in their folder;
// a name the file list does not show (here, one that vanished) is handed back.
void TestWindowDrop::commandLineSelectionNamesUnlistedFiles()
{
    WindowRig rig;
    QVERIFY(rig.isValid());
    QVERIFY(makeFiles(rig.root(), {"a.jpg", "b.jpg", "c.jpg"}));
    rig.start();
    QCOMPARE(rig.form->selectFiles({QStringLiteral("c.jpg"), QStringLiteral("gone.jpg"), QStringLiteral("a.jpg")}),
             QStringList{QStringLiteral("gone.jpg")});
    QCOMPARE(rig.selected(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("c.jpg")}));
    QVERIFY(findControl<QRadioButton>(rig.page(), "optSelectedFiles")->isChecked());
}

QTEST_MAIN(TestWindowDrop)
#include "tst_windowdrop.moc"
