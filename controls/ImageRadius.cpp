#include "controls/ImageRadius.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <cstdlib>

#include "controls/OrvekEdit.h"

namespace {

// Font sizes 7 and 8 point at 96 dpi; the picture has a fixed pixel size, so its text
// is sized in pixels too.
constexpr int kSize7 = 9;
constexpr int kSize8 = 11;

struct TScheme {
  QColor background, circle, label, title, flat, steep;
};

TScheme SchemeOf(bool dark) {
  if (dark)
    return {QColor(0, 0, 0), QColor(128, 128, 128), QColor(128, 128, 128), QColor(255, 255, 255),
            QColor(255, 128, 0), QColor(192, 192, 192)};
  return {QColor(255, 255, 255), QColor(0, 0, 0), QColor(0, 0, 0), QColor(0, 0, 0),
          QColor(0, 0, 128), QColor(255, 0, 0)};
}

QFont DiagramFont(int pixelSize, bool bold) {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  // Plain pixels: every glyph pixel carries exactly the colour of its role.
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

// Pixels of a line from `from` towards `to`, the end point itself left out, as a
// canvas draws a line from the pen position to a new one.
QPolygon LinePixels(QPoint from, QPoint to) {
  QPolygon points;
  int x = from.x(), y = from.y();
  const int dx = std::abs(to.x() - x), dy = -std::abs(to.y() - y);
  const int sx = x < to.x() ? 1 : -1, sy = y < to.y() ? 1 : -1;
  int err = dx + dy;
  while (x != to.x() || y != to.y()) {
    points << QPoint(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  return points;
}

// Whole pixels of a finite product; anything else counts as 0.
int TruncPixels(double value) {
  if (!std::isfinite(value) || std::fabs(value) > 1e6) return 0;
  return static_cast<int>(std::trunc(value));
}

}  // namespace

TImageRadius::TImageRadius(QWidget* parent) : QWidget(parent) { setFixedSize(153, 161); }

TImageRadius::TAstigClass TImageRadius::ClassOf(double axis) {
  if ((axis >= 0 && axis <= 30) || (axis >= 150 && axis <= 180)) return TAstigClass::WithTheRule;
  if (axis > 60 && axis < 120) return TAstigClass::AgainstTheRule;
  return TAstigClass::Oblique;
}

QString TImageRadius::ClassText(TAstigClass cls, std::int32_t langIndex) {
  static const char* const kTexts[3][3] = {
      {"WTR", "ATR", "Oblique"},
      {"AC direct", "AC invers", "AC Oclicuo"},
      {"Rectus", "Inversus", "Obliquus"},
  };
  const int lang = (langIndex == 1 || langIndex == 2) ? langIndex : 0;
  return QString::fromLatin1(kTexts[lang][static_cast<int>(cls)]);
}

void TImageRadius::Draw() {
  const int W = width();
  const int H = height();
  const TScheme c = SchemeOf(fDarkView);
  fTexts.clear();

  fPicture = QImage(std::max(W, 1), std::max(H, 1), QImage::Format_RGB32);
  QPainter p(&fPicture);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setCompositionMode(QPainter::CompositionMode_Source);

  auto text = [&](const QString& s, QPoint anchor, Qt::Alignment align, const QColor& color,
                  int pixelSize, bool bold) {
    const QFont f = DiagramFont(pixelSize, bold);
    const QFontMetrics fm(f);
    const int w = fm.horizontalAdvance(s);
    int left = anchor.x();
    if (align & Qt::AlignRight) left = anchor.x() - w;
    if (align & Qt::AlignHCenter) left = anchor.x() - w / 2;
    const int top = (align & Qt::AlignBottom) ? anchor.y() - fm.height() : anchor.y();
    p.setFont(f);
    p.setPen(color);
    p.drawText(QPoint(left, top + fm.ascent()), s);
    fTexts.push_back({s, anchor, align, color, pixelSize, bold, QRect(left, top, w, fm.height())});
  };
  auto line = [&](QPoint from, QPoint to, const QColor& color) {
    p.setPen(QPen(color, 0));
    p.drawPoints(LinePixels(from, to));
  };

  // Background and frame in the background colour.
  p.fillRect(QRect(0, 0, W, H), c.background);

  x0 = W / 2;
  if (!fTitle.isEmpty()) {
    const int textHeight = QFontMetrics(DiagramFont(kSize8, false)).height();
    const int h = H - textHeight - 60;
    y0 = textHeight + 40 + h / 2;
  } else {
    y0 = H / 2 + 5;
  }
  const int r = x0 - 28;
  const QPoint centre(x0, y0);

  // Circle and cross.
  p.setPen(QPen(c.circle, 0));
  p.setBrush(Qt::NoBrush);
  if (r > 0) p.drawEllipse(centre, r, r);
  line(centre, QPoint(x0, y0 + r + 5), c.circle);
  line(centre, QPoint(x0, y0 - r - 5), c.circle);
  line(centre, QPoint(x0 + r + 5, y0), c.circle);
  line(centre, QPoint(x0 - r - 5, y0), c.circle);

  // Degree labels, counter-clockwise from the right.
  text(QStringLiteral("0°"), QPoint(x0 + r + 5, y0), Qt::AlignLeft | Qt::AlignBottom, c.label, kSize7, false);
  text(QStringLiteral("180°"), QPoint(x0 - r - 5, y0), Qt::AlignRight | Qt::AlignBottom, c.label, kSize7, false);
  text(QStringLiteral("90°"), QPoint(x0, y0 - r - 5), Qt::AlignHCenter | Qt::AlignBottom, c.label, kSize7, false);
  text(QStringLiteral("270°"), QPoint(x0, y0 + r + 5), Qt::AlignHCenter | Qt::AlignTop, c.label, kSize7, false);

  // Horizontal and vertical radius: the steep meridian lies vertical for 45 <= axis < 135.
  if (fAxis >= 45 && fAxis < 135) {
    Rh = fRst;
    Rv = fRfl;
  } else {
    Rh = fRfl;
    Rv = fRst;
  }

  const double phi = fAxis * 3.1415926535897932385 / 180.0;
  const int dy = TruncPixels(std::sin(phi) * (r + 5));
  const int dx = TruncPixels(std::cos(phi) * (r + 5));
  const bool flatIsFlatter = fRfl >= fRst;
  const QColor alongAxis = flatIsFlatter ? c.flat : c.steep;
  const QColor acrossAxis = flatIsFlatter ? c.steep : c.flat;
  line(centre, QPoint(x0 + dx, y0 - dy), alongAxis);
  line(centre, QPoint(x0 - dx, y0 + dy), alongAxis);
  line(centre, QPoint(x0 - dy, y0 - dx), acrossAxis);
  line(centre, QPoint(x0 + dy, y0 + dx), acrossAxis);

  text(QStringLiteral("Axis=") + LocaleFixed(fAxis, 0) + QStringLiteral("°"), QPoint(W - 2, H - 2),
       Qt::AlignRight | Qt::AlignBottom, c.label, kSize8, false);

  const int radiiY = fTitle.isEmpty() ? 4 : 28;
  text(QStringLiteral("Rh = ") + LocaleFixed(Rh, 2), QPoint(10, radiiY), Qt::AlignLeft | Qt::AlignTop,
       Rh == fRfl ? c.flat : c.steep, kSize8, false);
  text(QStringLiteral("Rv = ") + LocaleFixed(Rv, 2), QPoint(W - 10, radiiY), Qt::AlignRight | Qt::AlignTop,
       Rv == fRst ? c.steep : c.flat, kSize8, false);

  if (!fTitle.isEmpty())
    text(fTitle, QPoint(x0, 20), Qt::AlignHCenter | Qt::AlignTop, c.title, kSize8, true);

  const TAstigClass cls = ClassOf(fAxis);
  const QColor classColor = cls == TAstigClass::Oblique ? (fDarkView ? QColor(255, 128, 0) : QColor(255, 0, 0))
                                                        : (fDarkView ? QColor(192, 192, 192) : QColor(0, 0, 128));
  text(ClassText(cls, fLangIndex), QPoint(2, H - 2), Qt::AlignLeft | Qt::AlignBottom, classColor, kSize7, false);

  p.end();
  update();
}

void TImageRadius::paintEvent(QPaintEvent*) {
  if (fPicture.isNull()) return;
  QPainter p(this);
  p.drawImage(QPoint(0, 0), fPicture);
}
