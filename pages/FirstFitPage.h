#pragma once
// The page "Anpassvorschlag": keratometry and spectacle refraction of both eyes, the
// corneal astigmatism, the radius diagram, the refraction at vertex distance 0 and the
// proposed lens in each eye's result box, which can be edited and copied as order text.
// Every decision and text comes from the plain workflow in pages/FirstFit.h; this class
// only reads and writes the widgets.

#include <QObject>
#include <QString>

#include <array>

#include "pages/FirstFit.h"

class QGroupBox;
class QLabel;
class QPushButton;
class TImageRadius;
class TMainForm;
class TOrvekEdit;

class TFirstFitPage : public QObject {
  Q_OBJECT

 public:
  // Builds the page's controls on the main window's first-fit tab and registers its reset.
  explicit TFirstFitPage(TMainForm& form);

  // Leave handler of every input field of both eyes.
  void EditExitFIT(QObject* sender);
  // The "Berechnen" buttons: taking the focus is all they do.
  void BtnCalculateClick(QObject* sender);
  void BtnInfoClick(QObject* sender);
  void BitResetFitClick();
  // Leave handler of the prism and diameter fields of the result boxes.
  void EditFitPrsExit(QObject* sender);
  // Copy button of both result boxes.
  void RABtnfitToClipboardClick(QObject* sender);

 private:
  struct Eye {
    QString prefix;  // "RA" or "LA"
    TOrvekEdit* EditFitRfl = nullptr;
    TOrvekEdit* EditFitRst = nullptr;
    TOrvekEdit* EditFitAflm = nullptr;
    TOrvekEdit* EditFitExz = nullptr;
    TOrvekEdit* EditFitHHdia = nullptr;
    TOrvekEdit* EditFitHHAstig = nullptr;
    TOrvekEdit* EditFitSph = nullptr;
    TOrvekEdit* EditFitCyl = nullptr;
    TOrvekEdit* EditFitAxis = nullptr;
    TOrvekEdit* EditFitHSA = nullptr;
    TOrvekEdit* EditFitSph0 = nullptr;
    TOrvekEdit* EditFitCyl0 = nullptr;
    TOrvekEdit* EditFitA0 = nullptr;
    TOrvekEdit* EditFitHSA0 = nullptr;
    TImageRadius* ImageRadFit = nullptr;
    QPushButton* BtnInfo = nullptr;
    QPushButton* BtnCalculate = nullptr;
    QGroupBox* GroupBoxFit = nullptr;
    TOrvekEdit* EditFitLensType = nullptr;
    TOrvekEdit* ComboBoxFitMat = nullptr;
    TOrvekEdit* EditFitR0fl = nullptr;
    TOrvekEdit* EditFitR0st = nullptr;
    TOrvekEdit* EditFitDptfl = nullptr;
    TOrvekEdit* EditFitDptst = nullptr;
    TOrvekEdit* EditFitA = nullptr;
    TOrvekEdit* EditFitPrs = nullptr;
    TOrvekEdit* EditFitDg = nullptr;
    QLabel* LabelR0fl1 = nullptr;
    QLabel* LabelR0st = nullptr;
    QLabel* LabelR0st1 = nullptr;
    QLabel* LabelDptst = nullptr;
    QLabel* LabelDptst1 = nullptr;
    QLabel* LabelA = nullptr;
    QLabel* LabelPrs = nullptr;
    bool* start = nullptr;  // the main window's StartRA / StartLA
    bool* prism = nullptr;  // the main window's RAPrs / LAPrs
  };

  void BuildEye(Eye& eye, QWidget* column, bool right);
  // The eye of a leave event: the right eye when the sender's name contains "RA".
  Eye& EyeOf(QObject* sender);
  // The eye whose controls carry this prefix ("RA" or "LA").
  Eye& EyeByPrefix(const QString& prefix);
  firstfit::EyeInput ReadInput(const Eye& eye) const;
  void ShowCornea(Eye& eye);
  void ShowRefractionAtZero(Eye& eye);
  enum class EyeOutcome { Shown, Failed, Stop };
  // The proposal of one eye; Stop when the suitability check ends the whole handling.
  EyeOutcome ProposeFor(Eye& eye);
  void ShowResult(Eye& eye, const firstfit::ResultView& view);

  TMainForm& form_;
  std::array<Eye, 2> eyes_;
};
