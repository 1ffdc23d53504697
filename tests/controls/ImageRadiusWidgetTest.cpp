#include "controls/ImageRadius.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kGray(128, 128, 128);
const QColor kOrange(255, 128, 0);
const QColor kSilver(192, 192, 192);

class ImageRadiusTest : public ::testing::Test {
 protected:
  // Draws as the pages do: light scheme, axis, flat and steep radius, no title.
  void DrawWith(double axis, double rfl, double rst, int langIndex = 2) {
    image.SetDarkView(false);
    image.SetAxis(axis);
    image.SetRfl(rfl);
    image.SetRst(rst);
    image.SetTitle(QString());
    image.SetLangIndex(langIndex);
    image.Draw();
  }
  QColor At(int x, int y) const { return image.Picture().pixelColor(x, y); }
  // Offset from the centre.
  QColor Rel(int dx, int dy) const { return At(image.x0 + dx, image.y0 + dy); }

  const TImageRadius::TDrawnText* FindText(const QString& prefix) const {
    for (const auto& t : image.Texts())
      if (t.Text.startsWith(prefix)) return &t;
    return nullptr;
  }
  // How many pixels of the colour lie in the box of a drawn text.
  int CountIn(const QRect& box, const QColor& color) const {
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x)
        if (image.Picture().valid(x, y) && At(x, y) == color) ++n;
    return n;
  }
  const TImageRadius::TDrawnText& ClassLabel() const { return image.Texts().back(); }

  TImageRadius image;
};

TEST_F(ImageRadiusTest, CircleAndCrossSitWhereTheGeometryPutsThem) {
  ASSERT_EQ(image.size(), QSize(153, 161));
  DrawWith(45, 7.8, 7.6);
  EXPECT_EQ(image.x0, 76);
  EXPECT_EQ(image.y0, 85);
  ASSERT_EQ(image.Picture().size(), QSize(153, 161));
  EXPECT_EQ(At(0, 0), kWhite);
  EXPECT_EQ(At(152, 160), kWhite);

  // Reference lines: 53 pixels from the centre, the end point left out.
  for (int d : {1, 30, 52}) {
    EXPECT_EQ(Rel(d, 0), kBlack) << d;
    EXPECT_EQ(Rel(-d, 0), kBlack) << d;
    EXPECT_EQ(Rel(0, -d), kBlack) << d;
    EXPECT_EQ(Rel(0, d), kBlack) << d;
  }
  EXPECT_EQ(Rel(53, 0), kWhite);
  EXPECT_EQ(Rel(-53, 0), kWhite);
  EXPECT_EQ(Rel(0, -53), kWhite);

  // Circle of radius 48: the first black pixel right of the diagonal along row y0-10
  // and above it along column x0-10 lies about 47 pixels out.
  auto firstBlack = [&](int fromX, int fromY, int stepX, int stepY) {
    for (int i = 0; i < 70; ++i) {
      const int x = fromX + i * stepX, y = fromY + i * stepY;
      if (At(x, y) == kBlack) return std::abs(x - image.x0) + std::abs(y - image.y0) - 10;
    }
    return -1;
  };
  EXPECT_NEAR(firstBlack(image.x0 + 15, image.y0 - 10, 1, 0), 47, 1);
  EXPECT_NEAR(firstBlack(image.x0 - 10, image.y0 - 15, 0, -1), 47, 1);
  EXPECT_NEAR(firstBlack(image.x0 - 15, image.y0 + 10, -1, 0), 47, 1);
  // Nothing black outside the circle between the axes (no stray drawing).
  EXPECT_EQ(Rel(45, -45), kWhite);
  EXPECT_EQ(Rel(-45, 45), kWhite);
}

TEST_F(ImageRadiusTest, AxisZeroDrawsFlatHorizontalAndSteepVertical) {
  DrawWith(0, 7.8, 7.6);
  for (int d : {1, 20, 49, 52}) {
    EXPECT_EQ(Rel(d, 0), kNavy) << d;
    EXPECT_EQ(Rel(-d, 0), kNavy) << d;
    EXPECT_EQ(Rel(0, -d), kRed) << d;
    EXPECT_EQ(Rel(0, d), kRed) << d;
  }
  EXPECT_EQ(Rel(53, 0), kWhite);

  EXPECT_EQ(image.Rh, 7.8);
  EXPECT_EQ(image.Rv, 7.6);
  const auto* rh = FindText("Rh = ");
  const auto* rv = FindText("Rv = ");
  const auto* axis = FindText("Axis=");
  ASSERT_TRUE(rh && rv && axis);
  EXPECT_EQ(rh->Text, QStringLiteral("Rh = 7,80"));
  EXPECT_EQ(rh->Color, kNavy);
  EXPECT_EQ(rh->Box.topLeft(), QPoint(10, 4));
  EXPECT_GT(CountIn(rh->Box, kNavy), 10);
  EXPECT_EQ(CountIn(rh->Box, kRed), 0);

  EXPECT_EQ(rv->Text, QStringLiteral("Rv = 7,60"));
  EXPECT_EQ(rv->Color, kRed);
  EXPECT_EQ(rv->Box.left() + rv->Box.width(), 153 - 10);
  EXPECT_EQ(rv->Box.top(), 4);
  EXPECT_GT(CountIn(rv->Box, kRed), 10);

  EXPECT_EQ(axis->Text, QStringLiteral("Axis=0°"));
  EXPECT_EQ(axis->Color, kBlack);
  EXPECT_EQ(axis->Box.left() + axis->Box.width(), 151);
  EXPECT_EQ(axis->Box.top() + axis->Box.height(), 159);
  EXPECT_GT(CountIn(axis->Box, kBlack), 10);

  EXPECT_EQ(ClassLabel().Text, QStringLiteral("Rectus"));
  EXPECT_EQ(ClassLabel().Color, kNavy);
  EXPECT_EQ(ClassLabel().Box.left(), 2);
  EXPECT_EQ(ClassLabel().Box.top() + ClassLabel().Box.height(), 159);
  EXPECT_GT(CountIn(ClassLabel().Box, kNavy), 10);

  // Degree labels around the cross.
  const struct {
    const char* text;
    QPoint anchor;
  } labels[] = {{"0°", {76 + 53, 85}}, {"180°", {76 - 53, 85}}, {"90°", {76, 85 - 53}}, {"270°", {76, 85 + 53}}};
  for (const auto& l : labels) {
    const auto* t = FindText(QString::fromUtf8(l.text));
    ASSERT_TRUE(t) << l.text;
    EXPECT_EQ(t->Anchor, l.anchor) << l.text;
    EXPECT_GT(CountIn(t->Box, kBlack), 3) << l.text;
  }
  EXPECT_EQ(FindText("0°")->Box.bottomLeft() + QPoint(0, 1), QPoint(129, 85));
  EXPECT_EQ(FindText("180°")->Box.bottomRight() + QPoint(1, 1), QPoint(23, 85));
  EXPECT_EQ(FindText("270°")->Box.top(), 85 + 53);
}

TEST_F(ImageRadiusTest, AxisNinetyTurnsTheMeridiansAndRadii) {
  DrawWith(90, 7.8, 7.6);
  EXPECT_EQ(Rel(0, -40), kNavy);
  EXPECT_EQ(Rel(0, 40), kNavy);
  EXPECT_EQ(Rel(40, 0), kRed);
  EXPECT_EQ(Rel(-40, 0), kRed);
  EXPECT_EQ(image.Rh, 7.6);
  EXPECT_EQ(image.Rv, 7.8);
  EXPECT_EQ(FindText("Rh = ")->Text, QStringLiteral("Rh = 7,60"));
  EXPECT_EQ(FindText("Rh = ")->Color, kRed);
  EXPECT_EQ(FindText("Rv = ")->Color, kNavy);
  EXPECT_EQ(ClassLabel().Text, QStringLiteral("Inversus"));
  EXPECT_EQ(ClassLabel().Color, kNavy);
}

TEST_F(ImageRadiusTest, AxisThirtyEndsTheMeridiansAtTruncatedOffsets) {
  // dy = trunc(sin 30° * 53) = 26, dx = trunc(cos 30° * 53) = 45.
  DrawWith(30, 7.8, 7.6);
  auto hasColorInColumn = [&](int x, int yFrom, int yTo, const QColor& c) {
    for (int y = yFrom; y <= yTo; ++y)
      if (At(x, y) == c) return true;
    return false;
  };
  const int x0 = image.x0, y0 = image.y0;
  EXPECT_TRUE(hasColorInColumn(x0 + 44, y0 - 26, y0 - 25, kNavy));
  // Rows 20 to 140 leave out the texts at the top and bottom.
  EXPECT_FALSE(hasColorInColumn(x0 + 45, 20, 140, kNavy));
  EXPECT_TRUE(hasColorInColumn(x0 - 44, y0 + 25, y0 + 26, kNavy));
  EXPECT_FALSE(hasColorInColumn(x0 - 45, 20, 140, kNavy));
  // Across the axis: towards (x0 - 26, y0 - 45) and (x0 + 26, y0 + 45).
  EXPECT_TRUE(At(x0 - 26, y0 - 44) == kRed || At(x0 - 25, y0 - 44) == kRed);
  EXPECT_NE(At(x0 - 26, y0 - 45), kRed);
  EXPECT_TRUE(At(x0 + 26, y0 + 44) == kRed || At(x0 + 25, y0 + 44) == kRed);
  EXPECT_NE(At(x0 + 26, y0 + 45), kRed);
}

TEST_F(ImageRadiusTest, SwappedRadiiSwapTheLineColours) {
  DrawWith(0, 7.6, 7.8);
  EXPECT_EQ(Rel(40, 0), kRed);
  EXPECT_EQ(Rel(0, -40), kNavy);
  // Rh is the flat radius here, so its text keeps the flat colour.
  EXPECT_EQ(FindText("Rh = ")->Color, kNavy);
  EXPECT_EQ(FindText("Rv = ")->Color, kRed);
}

TEST_F(ImageRadiusTest, ClassFollowsTheAxisRangesInThreeWordings) {
  enum { WTR, ATR, OBL };
  const struct {
    double axis;
    int cls;
  } cases[] = {{0, WTR},    {30, WTR},   {30.5, OBL}, {45, OBL},  {60, OBL},    {60.5, ATR},
               {90, ATR},   {119, ATR},  {120, OBL},  {149.9, OBL}, {150, WTR}, {180, WTR},
               {-0.1, OBL}, {180.1, OBL}, {std::numeric_limits<double>::quiet_NaN(), OBL}};
  const char* const words[3][3] = {
      {"WTR", "ATR", "Oblique"}, {"AC direct", "AC invers", "AC Oclicuo"}, {"Rectus", "Inversus", "Obliquus"}};
  for (const auto& c : cases) {
    for (int lang : {0, 1, 2, 3, -1}) {
      DrawWith(c.axis, 7.8, 7.6, lang);
      const int column = (lang == 1 || lang == 2) ? lang : 0;
      EXPECT_EQ(ClassLabel().Text.toStdString(), words[column][c.cls]) << c.axis << " lang " << lang;
      EXPECT_EQ(ClassLabel().Color, c.cls == OBL ? kRed : kNavy) << c.axis;
    }
  }
  // The horizontal radius switches to the steep one at 45 and back at 135.
  for (const auto& [axis, rh] : {std::pair{44.9, 7.8}, {45.0, 7.6}, {134.9, 7.6}, {135.0, 7.8}}) {
    DrawWith(axis, 7.8, 7.6);
    EXPECT_EQ(image.Rh, rh) << axis;
  }
}

TEST_F(ImageRadiusTest, DrawReplacesTheWholePreviousPicture) {
  DrawWith(30, 7.8, 7.6);
  image.SetTitle(QStringLiteral("RA"));
  image.Draw();
  DrawWith(120, 8.1, 7.2, 1);

  TImageRadius fresh;
  fresh.SetAxis(120);
  fresh.SetRfl(8.1);
  fresh.SetRst(7.2);
  fresh.SetLangIndex(1);
  fresh.Draw();
  EXPECT_EQ(image.Picture(), fresh.Picture());
}

TEST_F(ImageRadiusTest, DarkSchemeAndTitleMoveColoursAndText) {
  image.SetDarkView(true);
  image.SetAxis(0);
  image.SetRfl(7.8);
  image.SetRst(7.6);
  image.SetTitle(QStringLiteral("Rechtes Auge"));
  image.SetLangIndex(0);
  image.Draw();

  EXPECT_EQ(At(0, 0), kBlack);
  EXPECT_GT(image.y0, 85);  // the circle moves down under the title
  EXPECT_EQ(Rel(1, 0), kOrange);
  EXPECT_EQ(Rel(30, 0), kOrange);
  EXPECT_EQ(Rel(0, 30), kSilver);
  const auto* title = FindText("Rechtes");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->Anchor, QPoint(76, 20));
  EXPECT_EQ(title->Box.top(), 20);
  EXPECT_TRUE(title->Bold);
  EXPECT_EQ(title->Color, kWhite);
  EXPECT_EQ(FindText("Rh = ")->Box.top(), 28);
  EXPECT_EQ(FindText("Rh = ")->Color, kOrange);
  EXPECT_EQ(FindText("Rv = ")->Color, kSilver);
  EXPECT_EQ(FindText("Axis=")->Color, kGray);
  EXPECT_EQ(ClassLabel().Text, QStringLiteral("WTR"));
  EXPECT_EQ(ClassLabel().Color, kSilver);

  image.SetAxis(45);
  image.Draw();
  EXPECT_EQ(ClassLabel().Color, kOrange);
  EXPECT_EQ(Rel(0, -52), kGray);  // the cross in the dark scheme
}

TEST_F(ImageRadiusTest, NumbersFollowTheRegionalSeparator) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  DrawWith(12.6, 7.8, 7.65);
  QLocale::setDefault(saved);
  EXPECT_EQ(FindText("Rh = ")->Text, QStringLiteral("Rh = 7.80"));
  EXPECT_EQ(FindText("Rv = ")->Text, QStringLiteral("Rv = 7.65"));
  EXPECT_EQ(FindText("Axis=")->Text, QStringLiteral("Axis=13°"));
}

TEST_F(ImageRadiusTest, NonFiniteValuesDrawWithoutFailing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double axis : {nan, inf, -inf, 1e300}) {
    DrawWith(axis, nan, inf);
    EXPECT_FALSE(image.Picture().isNull());
    EXPECT_EQ(ClassLabel().Text, QStringLiteral("Obliquus"));
  }
}

}  // namespace
