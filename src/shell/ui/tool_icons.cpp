#include "tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

constexpr int kSize = 24;
const QColor kInk(0x33, 0x33, 0x33);
const QColor kPaper(0xfb, 0xfb, 0xf4);
const QColor kBlue(0x2a, 0x6f, 0xb8);

void sheet(QPainter &p, QRectF r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void lines(QPainter &p, QRectF r, int count)
{
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + 4 + i * 3;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void triangle(QPainter &p, qreal x, bool left)
{
    QPainterPath path;
    const qreal tip = left ? x : x + 7, base = left ? x + 7 : x;
    path.moveTo(tip, 12);
    path.lineTo(base, 6);
    path.lineTo(base, 18);
    path.closeSubpath();
    p.fillPath(path, kBlue);
}

void draw(QPainter &p, Cmd button)
{
    switch (button) {
    case Cmd::BoutonCopier:
        sheet(p, {3.5, 3.5, 11, 13});
        sheet(p, {9.5, 7.5, 11, 13});
        break;
    case Cmd::BoutonColler:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xb0, 0x84, 0x4c));
        p.drawRect(QRectF(4.5, 4.5, 13, 16));
        sheet(p, {9.5, 9.5, 10, 12});
        p.fillRect(QRectF(8, 3, 6, 3), kInk);
        break;
    case Cmd::BoutonPremier:
        p.fillRect(QRectF(5, 6, 2, 12), kBlue);
        triangle(p, 8, true);
        triangle(p, 13, true);
        break;
    case Cmd::BoutonPrecedent:
        triangle(p, 8, true);
        break;
    case Cmd::BoutonSuivant:
        triangle(p, 9, false);
        break;
    case Cmd::BoutonDernier:
        triangle(p, 4, false);
        triangle(p, 9, false);
        p.fillRect(QRectF(17, 6, 2, 12), kBlue);
        break;
    case Cmd::BoutonNouvelleFiche:
        sheet(p, {3.5, 5.5, 17, 13});
        lines(p, {3.5, 5.5, 10, 13}, 3);
        p.setPen(QPen(QColor(0x2e, 0x8b, 0x3a), 2));
        p.drawLine(QPointF(16, 8), QPointF(16, 16));
        p.drawLine(QPointF(12, 12), QPointF(20, 12));
        break;
    case Cmd::BoutonClient:
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(8, 3, 8, 8));
        p.drawRoundedRect(QRectF(4, 13, 16, 9), 4, 4);
        break;
    case Cmd::BoutonFacture:
        sheet(p, {5.5, 2.5, 13, 19});
        lines(p, {5.5, 2.5, 13, 19}, 4);
        p.setPen(QPen(kBlue, 1.5));
        p.drawLine(QPointF(11, 18), QPointF(16, 18));
        break;
    case Cmd::BoutonChambres: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xc8, 0x3c, 0x32));
        QPainterPath roof;
        roof.moveTo(2, 11);
        roof.lineTo(12, 3);
        roof.lineTo(22, 11);
        roof.closeSubpath();
        p.drawPath(roof);
        p.setBrush(kPaper);
        p.drawRect(QRectF(5.5, 11.5, 13, 9));
        p.fillRect(QRectF(10, 14, 4, 7), kBlue);
        break;
    }
    case Cmd::BoutonPlanning:
        sheet(p, {2.5, 4.5, 19, 16});
        p.fillRect(QRectF(3, 5, 18, 4), kBlue);
        p.setPen(QPen(kInk, 1));
        for (int x = 7; x < 21; x += 5)
            p.drawLine(QPointF(x + 0.5, 9), QPointF(x + 0.5, 20));
        for (int y = 13; y < 21; y += 4)
            p.drawLine(QPointF(3, y + 0.5), QPointF(21, y + 0.5));
        p.fillRect(QRectF(8, 14, 4, 3), QColor(0xc8, 0x3c, 0x32));
        break;
    case Cmd::BoutonMainCourante:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0x2e, 0x6b, 0x3a));
        p.drawRect(QRectF(3.5, 3.5, 17, 17));
        sheet(p, {6.5, 5.5, 12, 13});
        lines(p, {6.5, 5.5, 12, 13}, 3);
        break;
    case Cmd::BoutonArticles:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xd9, 0xa8, 0x5b));
        p.drawRect(QRectF(3.5, 7.5, 17, 13));
        p.drawLine(QPointF(3.5, 11.5), QPointF(20.5, 11.5));
        p.fillRect(QRectF(10, 7, 4, 5), kInk);
        break;
    case Cmd::BoutonImprimer:
        sheet(p, {6.5, 2.5, 11, 8});
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0x9a, 0x9a, 0x9a));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
        sheet(p, {6.5, 15.5, 11, 6});
        break;
    case Cmd::BoutonEnveloppe:
        sheet(p, {2.5, 5.5, 19, 13});
        p.drawLine(QPointF(3, 6), QPointF(12, 13));
        p.drawLine(QPointF(21, 6), QPointF(12, 13));
        break;
    default:
        break;
    }
}

} // namespace

QIcon toolIcon(Cmd button, const QStyle *style)
{
    switch (button) {
    case Cmd::BoutonNouveau:
        return style->standardIcon(QStyle::SP_FileIcon);
    case Cmd::BoutonOuvrir:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case Cmd::BoutonEnregistrer:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    default:
        break;
    }
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, button);
    painter.end();
    return QIcon(pixmap);
}
