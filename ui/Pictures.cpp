#include "Pictures.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

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

QPixmap transparentPixmap(int width, int height)
{
    QPixmap pixmap(width, height);
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
    QPixmap pixmap(304, 53);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 304, 0);
    gradient.setColorAt(0, Navy);
    gradient.setColorAt(1, QColor(0, 96, 160));
    painter.fillRect(pixmap.rect(), gradient);

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
    QPixmap pixmap = transparentPixmap(32, 32);
    QPainter painter(&pixmap);
    // Two sheets of paper, the front one carrying an arrow: a file being renamed.
    painter.setPen(QPen(Grey, 1));
    painter.setBrush(Silver);
    painter.drawRect(QRect(3, 2, 18, 23));
    painter.setPen(QPen(Navy, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(9, 7, 19, 23));
    painter.setPen(Blue);
    for (int y = 11; y <= 15; y += 2)
        painter.drawLine(12, y, 25, y);
    painter.setPen(QPen(Navy, 1));
    painter.setBrush(Yellow);
    painter.drawPath(arrowPath(QRectF(12, 18, 14, 10)));
    return QIcon(pixmap);
}

} // namespace kestrava
