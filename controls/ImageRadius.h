#pragma once
// TImageRadius: a small picture of the two principal meridians of a cornea. A circle
// with a cross of reference axes labelled in degrees, the flat and the steep meridian as
// coloured lines at the axis, the horizontal and vertical radius as coloured text, the
// axis as text and the class of the astigmatism (with the rule, against the rule,
// oblique) in one of three wordings.
//
// Setting a property only stores it; Draw() paints the whole picture anew into the
// control's own image, which stays on screen until the next Draw().

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class TImageRadius : public QWidget {
  Q_OBJECT

 public:
  explicit TImageRadius(QWidget* parent = nullptr);

  enum class TAstigClass { WithTheRule, AgainstTheRule, Oblique };

  double Axis() const { return fAxis; }
  void SetAxis(double value) { fAxis = value; }
  double Rfl() const { return fRfl; }
  void SetRfl(double value) { fRfl = value; }
  double Rst() const { return fRst; }
  void SetRst(double value) { fRst = value; }
  std::int32_t LangIndex() const { return fLangIndex; }
  void SetLangIndex(std::int32_t value) { fLangIndex = value; }
  QString Title() const { return fTitle; }
  void SetTitle(const QString& value) { fTitle = value; }
  bool DarkView() const { return fDarkView; }
  void SetDarkView(bool value) { fDarkView = value; }

  void Draw();

  // The picture of the last Draw (null before the first).
  const QImage& Picture() const { return fPicture; }

  // A text of the last Draw: where it was anchored, how, in which colour and where its
  // cell ended up.
  struct TDrawnText {
    QString Text;
    QPoint Anchor;
    Qt::Alignment Align;
    QColor Color;
    int PixelSize = 0;
    bool Bold = false;
    QRect Box;
  };
  const std::vector<TDrawnText>& Texts() const { return fTexts; }

  static TAstigClass ClassOf(double axis);
  static QString ClassText(TAstigClass cls, std::int32_t langIndex);

  // Set by Draw: radii of the vertical and horizontal meridian, centre of the circle.
  double Rv = 0.0;
  double Rh = 0.0;
  std::int32_t x0 = 0;
  std::int32_t y0 = 0;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double fAxis = 0.0;
  double fRfl = 0.0;
  double fRst = 0.0;
  std::int32_t fLangIndex = 0;
  QString fTitle;
  bool fDarkView = false;

  QImage fPicture;
  std::vector<TDrawnText> fTexts;
};
