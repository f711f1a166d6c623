#include "gui/app/toolbar_images.h"

#include <QPainter>
#include <QPixmap>

namespace quillfen {

namespace {

const QColor kOutline(64, 64, 64);
const QColor kPaper(255, 255, 255);
const QColor kFolder(230, 190, 80);
const QColor kBlue(40, 90, 200);
const QColor kGreen(0, 150, 0);
const QColor kRed(200, 0, 0);

void Page(QPainter& p) {
  p.setPen(kOutline);
  p.setBrush(kPaper);
  p.drawPolygon(QPolygon({{2, 0}, {10, 0}, {13, 3}, {13, 15}, {2, 15}}));
  p.drawLine(10, 0, 10, 3);
  p.drawLine(10, 3, 13, 3);
}

void Folder(QPainter& p) {
  p.setPen(kOutline);
  p.setBrush(kFolder);
  p.drawPolygon(QPolygon({{0, 3}, {5, 3}, {6, 5}, {14, 5}, {14, 14}, {0, 14}}));
  p.setBrush(kFolder.lighter(120));
  p.drawPolygon(QPolygon({{0, 14}, {3, 8}, {15, 8}, {12, 14}}));
}

void Window(QPainter& p, QRect r) {
  p.setPen(kOutline);
  p.setBrush(kPaper);
  p.drawRect(r);
  p.fillRect(r.x() + 1, r.y() + 1, r.width() - 1, 2, kBlue);
}

void Plus(QPainter& p, int x, int y) {
  p.fillRect(x - 1, y - 4, 3, 9, kGreen);
  p.fillRect(x - 4, y - 1, 9, 3, kGreen);
}

void Curve(QPainter& p) {
  p.setPen(QPen(kGreen, 1));
  p.drawPolyline(QPolygon({{4, 12}, {6, 9}, {8, 10}, {11, 5}}));
  p.setPen(QPen(kRed, 1));
  p.drawLine(11, 5, 12, 7);
}

void Arrow(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygon({{8, 9}, {15, 9}, {15, 6}, {16, 11}, {15, 16}, {15, 13}, {8, 13}}));
}

void Die(QPainter& p) {
  p.setPen(kOutline);
  p.setBrush(kPaper);
  p.drawRoundedRect(1, 1, 13, 13, 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  for (QPoint dot : {QPoint(4, 4), QPoint(10, 4), QPoint(7, 7), QPoint(4, 10), QPoint(10, 10)}) {
    p.drawEllipse(dot, 1, 1);
  }
}

void Table(QPainter& p) {
  Page(p);
  p.setPen(kGreen);
  for (int y = 5; y <= 13; y += 2) p.drawLine(4, y, 11, y);
  p.drawLine(7, 5, 7, 13);
}

void Draw(QPainter& p, int index) {
  switch (index) {
    case 7:
      Folder(p);
      break;
    case 15:
      Window(p, {1, 1, 13, 6});
      Window(p, {1, 9, 13, 6});
      break;
    case 17:
      Window(p, {1, 1, 10, 8});
      Window(p, {5, 6, 10, 8});
      break;
    case 18:
      Folder(p);
      Curve(p);
      break;
    case 19:
      Page(p);
      Plus(p, 10, 11);
      break;
    case 20:
      Page(p);
      Arrow(p);
      break;
    case 21:
      Page(p);
      Curve(p);
      Arrow(p);
      break;
    case 22:
      Table(p);
      break;
    case 23:
      Die(p);
      break;
    default:
      break;
  }
}

QPixmap ProgramPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 128));
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  p.setPen(QPen(QColor(255, 255, 213), 1.4));
  p.drawPolyline(QPolygonF({{2.5, 12}, {5.5, 9}, {7.5, 10.5}, {10.5, 5.5}, {13.5, 3.5}}));
  p.setPen(QPen(QColor(224, 0, 0), 1.4));
  p.drawLine(QPointF(7.5, 10.5), QPointF(5.5, 9));
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(ProgramPixmap(size));
  return icon;
}

QIcon ToolbarImage(int index) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  Draw(painter, index);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace quillfen
