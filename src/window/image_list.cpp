#include "window/image_list.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace window {
namespace {

QIcon Draw(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    // The same image for the selected state: styles otherwise tint a selected node's
    // icon, and the tree's icons should look alike selected or not.
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

void Question(QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 150), 1));
    p.setBrush(QColor(50, 110, 220));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

void Check(QPainter& p) {
    QPainterPath path;
    path.moveTo(2, 8.5);
    path.lineTo(6, 12.5);
    path.lineTo(14, 3.5);
    p.setPen(QPen(QColor(30, 150, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void Cross(QPainter& p) {
    p.setPen(QPen(QColor(210, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void Page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(140, 140, 200), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2) {
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

void TwoDocuments(QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 8, 10));
    Page(p, QRectF(6.5, 4.5, 8, 10));
}

void FolderWithArrow(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(0.5, 4.5, 12, 9));
    QPolygonF flap(
        {QPointF(2.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5), QPointF(0.5, 13.5)});
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(flap);
    p.setPen(QPen(QColor(30, 150, 40), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(9, 4), QPointF(14, 4));
    p.drawLine(QPointF(12, 1.5), QPointF(14.5, 4));
    p.drawLine(QPointF(12, 6.5), QPointF(14.5, 4));
}

void NotepadWithPencil(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(255, 250, 200));
    p.drawRect(QRectF(1.5, 2.5, 10, 12));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    for (qreal x = 3.5; x < 11; x += 2.5) {
        p.drawLine(QPointF(x, 1), QPointF(x, 3.5));
    }
    p.setPen(QPen(QColor(140, 140, 200), 1));
    for (qreal y = 6.5; y < 14; y += 2.5) {
        p.drawLine(QPointF(3, y), QPointF(10, y));
    }
    p.setPen(QPen(QColor(200, 120, 20), 2.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(14.5, 4.5), QPointF(7.5, 12.5));
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawLine(QPointF(7.8, 12.2), QPointF(6.5, 14));
}

void Hourglass(QPainter& p) {
    p.setPen(QPen(QColor(90, 70, 30), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 1.5), QPointF(13, 1.5));
    p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
    QPolygonF glass({QPointF(4, 2), QPointF(12, 2), QPointF(8.8, 8), QPointF(12, 14),
                     QPointF(4, 14), QPointF(7.2, 8)});
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(235, 240, 250));
    p.drawPolygon(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 170, 40));
    p.drawPolygon(QPolygonF({QPointF(5.5, 4), QPointF(10.5, 4), QPointF(8, 7.5)}));
    p.drawPolygon(QPolygonF({QPointF(8, 11), QPointF(11, 13.5), QPointF(5, 13.5)}));
}

}  // namespace

QList<QIcon> MakeImageList() {
    QList<QIcon> icons(kImageCount);
    icons[kImageQuery] = Draw(Question);
    icons[kImageFirm] = Draw(Check);
    icons[kImageMessage] = Draw(Cross);
    icons[kImageCopy] = Draw(TwoDocuments);
    icons[kImageLoad] = Draw(FolderWithArrow);
    icons[kImageEnter] = Draw(NotepadWithPencil);
    icons[kImageRunning] = Draw(Hourglass);
    return icons;
}

}  // namespace window
