// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

// The resources live in the ui library, which is linked statically: naming their
// initialiser here keeps them in every program that shows the icon.
static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}

namespace kestrava {

namespace {

// Colours of the classic 16-colour palette used by the icon and the arrow.
const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);
const QColor Teal(0, 128, 128);
const QColor Yellow(255, 255, 0);
const QColor Silver(192, 192, 192);
const QColor Grey(128, 128, 128);

QPainterPath arrowPath(const QRectF &box)
{
    // A broad shaft with a pointed head, filling `box`.
    const qreal midY = box.center().y();
    const qreal shaft = box.height() * 0.22;
    const qreal headX = box.left() + box.width() * 0.55;
    QPainterPath path;
    path.moveTo(box.left(), midY - shaft);
    path.lineTo(headX, midY - shaft);
    path.lineTo(headX, box.top());
    path.lineTo(box.right(), midY);
    path.lineTo(headX, box.bottom());
    path.lineTo(headX, midY + shaft);
    path.lineTo(box.left(), midY + shaft);
    path.closeSubpath();
    return path;
}

// A pixmap of \a width x \a height device-independent pixels with as many device
// pixels as the densest screen shows, so that the picture stays sharp at 150 % and
// 200 %. Painters on it draw in device-independent pixels.
QPixmap densePixmap(int width, int height)
{
    const qreal ratio = std::max<qreal>(1.0, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    QPixmap pixmap(int(std::ceil(width * ratio)), int(std::ceil(height * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap transparentPixmap(int width, int height)
{
    QPixmap pixmap = densePixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap Pictures::picture(QStringView name)
{
    if (name == u"banner")
        return banner();
    return arrow();
}

QPixmap Pictures::arrow()
{
    QPixmap pixmap = transparentPixmap(28, 23);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Navy, 1));
    painter.setBrush(Teal);
    painter.drawPath(arrowPath(QRectF(1.5, 1.5, 25, 20)));
    return pixmap;
}

QPixmap Pictures::banner()
{
    QPixmap pixmap = densePixmap(304, 53);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 304, 0);
    gradient.setColorAt(0, Navy);
    gradient.setColorAt(1, QColor(0, 96, 160));
    painter.fillRect(QRect(0, 0, 304, 53), gradient);

    // Three small files sliding into line: the program's business in one picture.
    for (int i = 0; i < 3; ++i) {
        const QRectF page(14 + i * 12, 10 + i * 4, 20, 26);
        painter.setPen(QPen(Navy, 1));
        painter.setBrush(i == 2 ? Yellow : Silver);
        painter.drawRect(page);
    }
    painter.setBrush(Yellow);
    painter.setPen(Qt::NoPen);
    painter.drawPath(arrowPath(QRectF(66, 20, 22, 16)));

    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(96, 2, 204, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kestrava"));
    QFont strap(QStringLiteral("Arial"));
    strap.setPixelSize(11);
    painter.setFont(strap);
    painter.setPen(Silver);
    painter.drawText(QRect(98, 34, 204, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::translate("kestrava::Pictures", "many files, one format"));
    return pixmap;
}

QIcon Pictures::windowIcon()
{
    // Every size a desktop asks for, each at the screens' density, rendered from the
    // same drawing as the installed icon files. The window's own 32 x 32 comes first.
    initPictureResources();
    QSvgRenderer renderer(QStringLiteral(":/icons/org.kestrava.Kestrava.svg"));
    QIcon icon;
    for (const int size : {32, 16, 24, 48, 64, 128, 256}) {
        QPixmap pixmap = transparentPixmap(size, size);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kestrava
