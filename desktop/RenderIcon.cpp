// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG icon into a square PNG at build time, so that the
// installed PNG sizes are drawn by the same renderer as the window's icon.
// Usage: kestrava-render-icon <icon.svg> <size> <out.png>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: kestrava-render-icon <icon.svg> <size> <out.png>" << Qt::endl;
        return 2;
    }
    // No display is needed to paint into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString source = QString::fromLocal8Bit(argv[1]);
    const int size = QByteArray(argv[2]).toInt();
    const QString target = QString::fromLocal8Bit(argv[3]);
    QSvgRenderer renderer(source);
    if (!renderer.isValid() || size <= 0) {
        err << "cannot render " << source << " at " << argv[2] << Qt::endl;
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(target, "PNG")) {
        err << "cannot save " << target << Qt::endl;
        return 1;
    }
    return 0;
}
