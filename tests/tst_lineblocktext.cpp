// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineBlockText.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <QPointer>
#include <QThread>

#include <algorithm>
#include <thread>

using namespace kestrava;

class TestLineBlockText : public QObject
{
    Q_OBJECT

private:
    static QStringList names(int count)
    {
        QStringList list;
        for (int i = 0; i < count; ++i)
            list.append(QStringLiteral("Holiday photo %1 of the trip.jpg").arg(i));
        return list;
    }
    static void fill(QPlainTextEdit &box, const QStringList &lines)
    {
        LineBlockText text;
        for (const QString &line : lines)
            text.appendLine(line);
        text.showIn(&box);
    }

private Q_SLOTS:
    void textIsEveryLineWithItsBreak_data()
    {
        QTest::addColumn<int>("count");
        for (int count : {0, 1, 16, 17, 63, 64, 65, 80, 81, 129, 1000})
            QTest::addRow("%d lines", count) << count;
    }
    void textIsEveryLineWithItsBreak()
    {
        QFETCH(int, count);
        QPlainTextEdit box;
        fill(box, names(count));
        const QString expected = count == 0 ? QString() : names(count).join(u'\n') + u'\n';
        QCOMPARE(box.toPlainText(), expected);
    }

    // A box shown a document built on another thread ends as the box shown
    // at once: same text, same paragraphs, same scroll range, same font.
    void documentBuiltBesideShowsAsOneGo_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("no lines") << 0;
        QTest::newRow("within the first paragraph") << 10;
        QTest::newRow("the first paragraph's lines and one") << 17;
        QTest::newRow("across paragraphs") << 1000;
        QTest::newRow("one line past a paragraph") << 81;
    }
    void documentBuiltBesideShowsAsOneGo()
    {
        QFETCH(int, count);
        QPlainTextEdit whole;
        fill(whole, names(count));
        QPlainTextEdit beside;
        QFont font(QStringLiteral("Monospace"), 17);
        beside.setFont(font);
        beside.setPlainText(QStringLiteral("an older preview\n"));
        QPointer<QTextDocument> earlier;
        // Twice: the second document takes the place of the first, which goes.
        for (int round = 0; round < 2; ++round) {
            LineBlockText text;
            for (const QString &line : names(count))
                text.appendLine(line);
            LineBlockDocument document;
            std::thread([&] { document = std::move(text).toDocument(qApp->thread()); }).join();
            document.showIn(&beside);
            QCOMPARE(beside.document()->thread(), qApp->thread());
            QCOMPARE(beside.toPlainText(), whole.toPlainText());
            QCOMPARE(beside.document()->blockCount(), whole.document()->blockCount());
            QCOMPARE(beside.document()->defaultFont(), font);
            QCOMPARE(beside.verticalScrollBar()->maximum(), whole.verticalScrollBar()->maximum());
            if (round == 1)
                QVERIFY(earlier.isNull());
            earlier = beside.document();
        }
    }

    void emptyLinesStayLines()
    {
        QPlainTextEdit box;
        fill(box, {QString(), QStringLiteral("b.txt"), QString()});
        QCOMPARE(box.toPlainText(), QStringLiteral("\nb.txt\n\n"));
    }

    void scrollRangeIsThatOfOneParagraphPerLine()
    {
        // Boxes as the window has them: a scroll bar always there, already on screen.
        const QStringList lines = names(5000);
        QWidget window;
        QPlainTextEdit grouped(&window);
        QPlainTextEdit plain(&window);
        plain.move(0, 210);
        for (QPlainTextEdit *box : {&grouped, &plain}) {
            box->resize(300, 200);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        fill(grouped, lines);
        plain.setPlainText(lines.join(u'\n') + u'\n');
        QApplication::processEvents();
        QVERIFY(plain.verticalScrollBar()->maximum() > 4000);
        QCOMPARE(grouped.verticalScrollBar()->maximum(), plain.verticalScrollBar()->maximum());
        // Scrolled to the same line, both show the same line at the top.
        for (QPlainTextEdit *box : {&grouped, &plain})
            box->verticalScrollBar()->setValue(2500);
        QApplication::processEvents();
        const auto topLine = [](QPlainTextEdit &box) {
            QTextCursor cursor = box.cursorForPosition(QPoint(4, 4));
            cursor.select(QTextCursor::LineUnderCursor);
            return cursor.selectedText();
        };
        QCOMPARE(topLine(grouped), topLine(plain));
    }

    void batchesGoInFrontOfTheText()
    {
        QPlainTextEdit box;
        box.setPlainText(QStringLiteral("old.txt\n"));
        for (const QStringList &batch : {names(100), QStringList{QStringLiteral("newest.txt")}}) {
            LineBlockText text;
            for (const QString &line : batch)
                text.appendLine(line);
            text.insertAtStartOf(&box);
        }
        QCOMPARE(box.toPlainText(),
                 QStringLiteral("newest.txt\n") + names(100).join(u'\n') + QStringLiteral("\nold.txt\n"));
        LineBlockText nothing;
        nothing.insertAtStartOf(&box);
        QVERIFY(box.toPlainText().startsWith(QStringLiteral("newest.txt\n")));
    }

    void copyAcrossLinesGivesLineBreaks()
    {
        QPlainTextEdit box;
        box.setReadOnly(true);
        fill(box, names(100));
        QTextCursor cursor(box.document());
        // From the middle of line 62 to the middle of line 66: across a group's end.
        const QString text = box.toPlainText();
        const qsizetype from = text.indexOf(QStringLiteral("photo 62"));
        const qsizetype to = text.indexOf(QStringLiteral("photo 66"));
        cursor.setPosition(int(from));
        cursor.setPosition(int(to), QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        box.copy();
        QCOMPARE(QApplication::clipboard()->text(), text.mid(from, to - from));
        QVERIFY(QApplication::clipboard()->text().count(u'\n') == 4);
    }
};

QTEST_MAIN(TestLineBlockText)
#include "tst_lineblocktext.moc"
