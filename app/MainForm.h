#pragma once
// TMainForm: the program's one window. A button bar ("Beenden", "Übersicht", "Neu
// rechnen", logo), the page control with its nine pages in fixed order, and a status
// bar. It owns the calculation objects of both eyes, navigates between pages by the
// tag of the clicked control, reports values out of range and moves the focus on
// with Enter.
//
// How a calculation page plugs in
// -------------------------------
// Every page has its place already: the QWidget of its tab (Page(index), object name
// "TabSheetFirstFit" and so on). A page's code builds its controls as children of
// that widget, so FindControl()/findChild() on the window finds them by object name,
// and registers its reset with SetPageReset(index, ...). "Neu rechnen" then calls the
// reset of the page in front, and FormCreate() resets the three calculation pages in
// the order prescription lens, first fit, topography. Pages are created in
// CreatePages() (MainForm.cpp), which runs before FormCreate(). A range-checked field
// is connected to the shared out-of-range handling with ConnectOutOfRange(field); its
// page's leave handling goes to the field's OnExit signal.
//
// The video and document entries call the handlers set with SetMediaHooks().

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/CalculationTORIC.h"
#include "engine/CorneaObject.h"
#include "engine/KiroCalculate.h"

class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTextEdit;
class QToolButton;
class TMarkedLabel;
class TMessages;
class TOrvekEdit;

// Index of each page in the page control; the navigation uses these numbers.
enum TPageIndex : int {
  kPageFirstFit = 0,
  kPageRefit = 1,
  kPageTopographie = 2,
  kPageHSA = 3,
  kPageQWert = 4,
  kPageInformation = 5,
  kPagePrg = 6,
  kPageContact = 7,
  kPageVideo = 8,
  kPageCount = 9,
};

struct TMainFormOptions {
  // Where messages go; nullptr gives modal message boxes.
  TMessages* messages = nullptr;
  // The version record read by GetVersion().
  QString versionRecord;  // empty: the record in the program's resources
  // The file whose modification date the caption shows.
  QString programFile;  // empty: the running program's file
};

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(const TMainFormOptions& options = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Calculation objects: cornea models and first-fit engines of the right and the left
  // eye, the refit engine, and a second refit engine used for vertex-distance conversion.
  TCornea CorneaRA;
  TCornea CorneaLA;
  TKiroCalculate RACalc;
  TKiroCalculate LACalc;
  TCalculationToric CalcuToric;
  TCalculationToric Calculate1;

  // First-fit page state per eye: no proposal since the last reset; prism wanted.
  bool StartRA = true;
  bool StartLA = true;
  bool RAPrs = false;
  bool LAPrs = false;

  std::int32_t View() const { return fView; }
  void SetView(std::int32_t value);
  bool FilmActive() const { return fFilmActive; }
  void SetFilmActive(bool value);
  QString Version() const { return GetVersion(); }
  QString GetVersion() const;

  TMessages& Messages() { return *fMessages; }

  // A page's place and its reset (see the top of this file).
  QWidget* Page(int index) const;
  QTabWidget* PageControl() const { return fPageControl; }
  using TPageReset = std::function<void()>;
  void SetPageReset(int index, TPageReset reset);

  // Handlers of the information material (film button, video and document entries).
  struct TMediaHooks {
    std::function<void()> BtnFilmClick;
    std::function<void(int tag)> ImageClick;
    std::function<void(int tag)> ImagePDFClick;
  };
  void SetMediaHooks(TMediaHooks hooks) { fMediaHooks = std::move(hooks); }

  // The window's control of that object name, or nullptr.
  template <typename T = QWidget>
  T* FindControl(const QString& name) const {
    return findChild<T*>(name);
  }

  // Lets a field's out-of-range signal raise the shared message.
  void ConnectOutOfRange(TOrvekEdit* field);

  // The tag of a control: the page its click opens; -1 when it has none.
  static int Tag(const QObject* control);
  static void SetTag(QObject* control, int tag);

  // Event handlers.
  void BtnBackClick(QObject* sender);
  void LabelClick(QObject* sender);
  void BtnCloseClick();
  void BtnResetClick();
  void PageControlChange();
  void EditOutOfRange(TOrvekEdit* sender);
  void BtnFilmClick();
  void ImageClick(QObject* sender);
  void ImagePDFClick(QObject* sender);
  void FormCreate();

  // The copyright notice in the window caption.
  static QString CopyrightNotice();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateButtonBar(QWidget* parent);
  void CreatePageControl(QWidget* parent);
  void CreateInformationPage(QWidget* page);
  void CreateProgramPage(QWidget* page);
  void CreateContactPage(QWidget* page);
  void CreateVideoPage(QWidget* page);
  void CreatePages();
  // Brings a page to the front without counting as the user's tab click.
  void ShowPage(int index);
  void SetTabShown(int index, bool shown);
  QString BuildDate() const;
  TMarkedLabel* NewMarkedLabel(const QString& text, const QString& prefix, int markIndex, QWidget* parent);

  std::int32_t fView = 0;
  bool fFilmActive = false;

  TMessages* fMessages = nullptr;
  std::unique_ptr<TMessages> fOwnMessages;
  QString fVersionRecord;
  QString fProgramFile;
  std::array<TPageReset, 3> fPageResets;
  TMediaHooks fMediaHooks;
  bool fChangingPage = false;
  bool fShownOnce = false;

  QTabWidget* fPageControl = nullptr;
  QPushButton* fBtnClose = nullptr;
  QPushButton* fSpeedBtnBack = nullptr;
  QPushButton* fBtnReset = nullptr;
  QToolButton* fBtnFilm = nullptr;
  QLabel* fLabelFilm = nullptr;
  QLabel* fLabelVersion = nullptr;
  QTextEdit* fEditClipBoard = nullptr;
  QStatusBar* fStatusBar = nullptr;
  std::array<QLabel*, 6> fTrademarks{};
};
