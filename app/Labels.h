#pragma once
// Small label kinds of the main window: a text that reacts to clicks, and a text with
// a small "®" label sitting in the gap after its product word.

#include <QLabel>
#include <QMouseEvent>

// A label that acts like a link: a left click emits Clicked().
class TClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TClickLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
  }

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
    QLabel::mouseReleaseEvent(event);
  }
};

// A one-line label whose child `Mark` (a small label) stands right after `prefix`, the
// part of the text up to the product word. The mark follows the label's font and size.
class TMarkedLabel : public QLabel {
  Q_OBJECT

 public:
  TMarkedLabel(const QString& text, const QString& prefix, QWidget* parent = nullptr)
      : QLabel(text, parent), fPrefix(prefix), Mark(new QLabel(QStringLiteral("#"), this)) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Mark->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Mark->setAttribute(Qt::WA_TransparentForMouseEvents);
  }

  // Gives the mark a smaller variant of the label's font.
  void SetMarkPixelSize(int pixelSize) {
    QFont f = font();
    f.setPixelSize(pixelSize);
    Mark->setFont(f);
    Place();
  }

 private:
  QString fPrefix;

 public:
  QLabel* const Mark;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    Place();
  }
  void changeEvent(QEvent* event) override {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) Place();
  }
  void showEvent(QShowEvent* event) override {
    QLabel::showEvent(event);
    Place();
  }

 private:
  void Place() {
    const QRect r = contentsRect();
    const int x = r.left() + fontMetrics().horizontalAdvance(fPrefix) + 1;
    // Top of the text line: the label may centre its line vertically.
    int y = r.top();
    if (alignment() & Qt::AlignVCenter) y += (r.height() - fontMetrics().height()) / 2;
    if (alignment() & Qt::AlignBottom) y = r.bottom() + 1 - fontMetrics().height();
    Mark->adjustSize();
    Mark->move(x, y);
  }
};
