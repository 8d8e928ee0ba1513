// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameBox.h"
#include "LayoutBuilder.h"

#include <QApplication>
#include <QImage>
#include <QRadioButton>
#include <QTest>

using kestrava::FrameBox;
using kestrava::LayoutBuilder;

// What a frame paints, read back from a picture of it on the window's grey: the
// border's top line, where the caption sits, and whether the controls inside let
// the grey show through.
class TestFrameBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void topLineRunsThroughTheCaption_data();
    void topLineRunsThroughTheCaption();
    void controlsInsideKeepThePageGrey();
    void frameWithoutCaptionIsAPlainBorder();
};

namespace {

constexpr int FrameWidth = 240;
constexpr int FrameHeight = 110;
// The first row of controls sits 240 twips below a frame's top.
constexpr int FirstRowTop = 16;

struct Painted
{
    QImage image;
    int captionHeight = 0;
};

Painted paintFrame(const QString &caption, const QFont &font, bool withOption = false)
{
    QWidget page;
    page.setPalette(QPalette(LayoutBuilder::greyColour()));
    page.resize(FrameWidth + 20, FrameHeight + 20);
    auto *frame = new FrameBox(caption, &page);
    frame->setFont(font);
    frame->setGeometry(10, 10, FrameWidth, FrameHeight);
    if (withOption) {
        auto *option = new QRadioButton(QStringLiteral("Ignore"), frame);
        option->setGeometry(8, FirstRowTop, FrameWidth - 16, 17);
    }
    return {frame->grab().toImage(), QFontMetrics(font).height()};
}

// The first row, counted from the top, at which column `x` leaves the grey.
int firstNonGreyRow(const QImage &image, int x)
{
    const QRgb grey = LayoutBuilder::greyColour().rgb();
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(x, y) != grey)
            return y;
    }
    return -1;
}

QFont font(double points, bool bold)
{
    return LayoutBuilder::font({kestrava::FontFace::MsSansSerif, points, bold});
}

} // namespace

void TestFrameBox::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestFrameBox::topLineRunsThroughTheCaption_data()
{
    QTest::addColumn<QFont>("captionFont");
    QTest::newRow("dialog font") << font(8.25, false);
    QTest::newRow("option frames, 9.75 bold") << font(9.75, true);
}

void TestFrameBox::topLineRunsThroughTheCaption()
{
    QFETCH(QFont, captionFont);
    const Painted painted = paintFrame(QStringLiteral("Apply to Which Files..?"), captionFont);

    // Right of the caption the border's top line lies at the caption's middle,
    // well above where the first row of controls goes.
    const int line = firstNonGreyRow(painted.image, FrameWidth - 20);
    QVERIFY2(qAbs(line - painted.captionHeight / 2) <= 1, qPrintable(QString::number(line)));
    QVERIFY(line + 2 < FirstRowTop);

    // The caption stands on the grey: the line breaks off for it.
    const QRgb lineColour = painted.image.pixel(FrameWidth - 20, line);
    const int captionWidth = QFontMetrics(captionFont).horizontalAdvance(QStringLiteral("Apply to Which Files..?"));
    int lineColumns = 0;
    for (int x = 8; x < 8 + captionWidth; ++x)
        lineColumns += painted.image.pixel(x, line) == lineColour ? 1 : 0;
    QVERIFY2(lineColumns < captionWidth / 4, qPrintable(QString::number(lineColumns)));
}

void TestFrameBox::controlsInsideKeepThePageGrey()
{
    const Painted painted = paintFrame(QStringLiteral("Spaces"), font(9.75, true), true);
    // Beyond its text an option button paints nothing of its own: the whole row,
    // from the border's top line down to the option's bottom, stays grey there.
    const int x = FrameWidth - 30;
    const int line = firstNonGreyRow(painted.image, x);
    const QRgb grey = LayoutBuilder::greyColour().rgb();
    for (int y = line + 2; y < FirstRowTop + 17; ++y)
        QVERIFY2(painted.image.pixel(x, y) == grey, qPrintable(QStringLiteral("row %1").arg(y)));
}

void TestFrameBox::frameWithoutCaptionIsAPlainBorder()
{
    const Painted painted = paintFrame(QString(), font(8.25, false));
    QCOMPARE(firstNonGreyRow(painted.image, FrameWidth / 2), 0);
    QCOMPARE(firstNonGreyRow(painted.image, 4), 0);
}

QTEST_MAIN(TestFrameBox)
#include "tst_framebox.moc"
