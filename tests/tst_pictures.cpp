// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures on a screen at 200 %: drawn with twice the pixels, so sharp.
#include "Pictures.h"

#include <QApplication>
#include <QImage>
#include <QTest>

using namespace kestrava;

class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picturesHaveTheScreensDensity_data();
    void picturesHaveTheScreensDensity();
    void windowIconComesInEverySize();
};

void TestPictures::picturesHaveTheScreensDensity_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("arrow") << QStringLiteral("arrow") << QSize(28, 23);
    QTest::newRow("banner") << QStringLiteral("banner") << QSize(304, 53);
}

void TestPictures::picturesHaveTheScreensDensity()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    const QPixmap picture = Pictures::picture(name);
    QCOMPARE(picture.devicePixelRatio(), 2.0);
    QCOMPARE(picture.size(), size * 2);
    QCOMPARE(picture.deviceIndependentSize().toSize(), size);
}

// The icon is drawn from the SVG in the resources: a missing resource would leave
// it empty. Its front sheet is white and its arrow yellow wherever it is drawn.
void TestPictures::windowIconComesInEverySize()
{
    const QIcon icon = Pictures::windowIcon();
    QVERIFY(!icon.isNull());
    for (const int size : {16, 32, 64, 256}) {
        const QImage image = icon.pixmap(QSize(size, size), 2.0).toImage();
        QCOMPARE(image.size(), QSize(size * 2, size * 2));
        const auto at = [&](qreal x, qreal y) {
            return image.pixelColor(int(x * image.width() / 32), int(y * image.height() / 32));
        };
        QCOMPARE(at(0.5, 31.5).alpha(), 0);
        QCOMPARE(at(24, 10), QColor(Qt::white));
        QCOMPARE(at(21, 23), QColor(Qt::yellow));
    }
}

int main(int argc, char *argv[])
{
    // A screen at 200 %, before the application reads its screens.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestPictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pictures.moc"
