#include "app/MainForm.h"

#include "pages/FirstFitPage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Labels.h"
#include "app/Messages.h"
#include "app/PageControl.h"
#include "app/Version.h"
#include "controls/OrvekEdit.h"
#include "pages/Common.h"

namespace {

const char* const kTagProperty = "Tag";

// Maker's details shown on the contact page and in the caption.
const QString kCompany = QStringLiteral("ORVEK Contactlinsen GmbH");

struct TPageInfo {
  const char* name;
  const char* caption;
};
const TPageInfo kPages[kPageCount] = {
    {"TabSheetFirstFit", "Anpassvorschlag"},
    {"TabSheetRefit", "Formstabile Rezeptlinse"},
    {"TabSheetTopographie", "HH-Topometrie"},
    {"TabSheetHSA", "HSA-Umrechnung"},
    {"TabSheetQWert", "Umrechnung Q-Wert auf Exzentrizität"},
    {"TabSheetInformation", "Information"},
    {"TabSheetPrg", "Informationen zum Programm"},
    {"TabSheetContact", "Kontakte zu ORVEK"},
    {"TabSheetVideo", "Informationsmaterial"},
};

// The pictures of the buttons: a small amethyst tile with a symbol.
enum class TGlyph { Fit, Refit, Topo, HSA, QValue, Contact, Terms, Film, Video, Document };

QPixmap Picture(TGlyph glyph, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, size);
  g.setColorAt(0, QColor(0x9b, 0x6f, 0xc9));
  g.setColorAt(1, QColor(0x5b, 0x2f, 0x87));
  p.setBrush(g);
  p.setPen(QPen(QColor(0x3f, 0x1d, 0x63), 1));
  p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);

  const QColor ink(0xfb, 0xf7, 0xff);
  p.setPen(QPen(ink, std::max(1.5, size / 16.0)));
  p.setBrush(Qt::NoBrush);
  const QRectF box(size * 0.22, size * 0.22, size * 0.56, size * 0.56);
  const QPointF c = box.center();
  auto text = [&](const QString& s, double scale) {
    QFont f(QStringLiteral("Tahoma"));
    f.setBold(true);
    f.setPixelSize(static_cast<int>(size * scale));
    p.setFont(f);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, s);
  };
  switch (glyph) {
    case TGlyph::Fit:  // lens over a cornea
      p.drawEllipse(box);
      p.drawArc(box.adjusted(size * 0.1, size * 0.1, -size * 0.1, -size * 0.1), 20 * 16, 140 * 16);
      break;
    case TGlyph::Refit:  // two stacked lenses
      p.drawEllipse(box.translated(-size * 0.06, 0).adjusted(0, size * 0.08, 0, -size * 0.08));
      p.drawEllipse(box.translated(size * 0.06, 0).adjusted(0, size * 0.08, 0, -size * 0.08));
      break;
    case TGlyph::Topo:  // rings of a topography
      for (double k : {0.0, 0.1, 0.2}) p.drawEllipse(box.adjusted(size * k, size * k, -size * k, -size * k));
      break;
    case TGlyph::HSA:
      text(QStringLiteral("HSA"), 0.3);
      break;
    case TGlyph::QValue:
      text(QStringLiteral("Q"), 0.6);
      break;
    case TGlyph::Contact:
      text(QStringLiteral("@"), 0.55);
      break;
    case TGlyph::Terms:
      text(QStringLiteral("i"), 0.6);
      break;
    case TGlyph::Film:
    case TGlyph::Video: {
      QPainterPath tri;
      tri.moveTo(c + QPointF(-size * 0.15, -size * 0.2));
      tri.lineTo(c + QPointF(size * 0.22, 0));
      tri.lineTo(c + QPointF(-size * 0.15, size * 0.2));
      tri.closeSubpath();
      p.fillPath(tri, ink);
      break;
    }
    case TGlyph::Document:
      p.drawRect(box.adjusted(size * 0.06, 0, -size * 0.06, 0));
      for (double k : {0.35, 0.5, 0.65}) p.drawLine(QPointF(size * 0.36, size * k), QPointF(size * 0.64, size * k));
      break;
  }
  return pm;
}

QPixmap Logo() {
  QPixmap pm(150, 40);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x5b, 0x2f, 0x87), 2.5));
  p.drawEllipse(QRectF(4, 6, 28, 28));
  p.setPen(QPen(QColor(0xb3, 0x8b, 0xdb), 2));
  p.drawArc(QRectF(10, 12, 16, 16), 30 * 16, 120 * 16);
  QFont f(QStringLiteral("Tahoma"));
  f.setBold(true);
  f.setPixelSize(24);
  f.setLetterSpacing(QFont::PercentageSpacing, 110);
  p.setFont(f);
  p.setPen(QColor(0x4a, 0x23, 0x72));
  p.drawText(QRectF(40, 0, 110, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("ORVEK"));
  return pm;
}

QLabel* NewLabel(const QString& text, QWidget* parent, const char* name = nullptr) {
  auto* label = new QLabel(text, parent);
  if (name) label->setObjectName(QString::fromLatin1(name));
  return label;
}

QFont HeadingFont(int pixelSize) {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(pixelSize);
  f.setBold(true);
  return f;
}

QToolButton* NewPictureButton(TGlyph glyph, int size, const char* name, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(QIcon(Picture(glyph, size)));
  b->setIconSize(QSize(size, size));
  b->setFixedSize(size + 8, size + 8);
  b->setAutoRaise(true);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

}  // namespace

TMainForm::TMainForm(const TMainFormOptions& options, QWidget* parent)
    : QMainWindow(parent),
      fVersionRecord(options.versionRecord.isEmpty() ? kVersionRecord : options.versionRecord),
      fProgramFile(options.programFile.isEmpty() ? QCoreApplication::applicationFilePath() : options.programFile) {
  if (options.messages) {
    fMessages = options.messages;
  } else {
    fOwnMessages = std::make_unique<TMessageBoxMessages>();
    fMessages = fOwnMessages.get();
  }

  setObjectName(QStringLiteral("MainForm"));
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(12);
  setFont(f);

  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("ClientArea"));
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  CreateButtonBar(central);
  CreatePageControl(central);
  setCentralWidget(central);

  fStatusBar = new QStatusBar(this);
  fStatusBar->setObjectName(QStringLiteral("StatusBar1"));
  fStatusBar->setSizeGripEnabled(false);
  setStatusBar(fStatusBar);

  resize(907, 655);

  CreatePages();
  FormCreate();

  // Enter moves on like Tab: every key press of the application is previewed.
  qApp->installEventFilter(this);
}

TMainForm::~TMainForm() {
  if (qApp) qApp->removeEventFilter(this);
}

void TMainForm::CreateButtonBar(QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setAttribute(Qt::WA_StyledBackground);
  panel->setFixedHeight(52);
  auto* bar = new QHBoxLayout(panel);
  bar->setContentsMargins(8, 6, 8, 6);
  bar->setSpacing(8);

  fBtnClose = new QPushButton(QStringLiteral("Beenden"), panel);
  fBtnClose->setObjectName(QStringLiteral("BtnClose"));
  fSpeedBtnBack = new QPushButton(QStringLiteral("Übersicht"), panel);
  fSpeedBtnBack->setObjectName(QStringLiteral("SpeedBtnBack"));
  SetTag(fSpeedBtnBack, kPageInformation);
  fBtnReset = new QPushButton(QStringLiteral("Neu rechnen"), panel);
  fBtnReset->setObjectName(QStringLiteral("BtnReset"));
  for (QPushButton* b : {fBtnClose, fSpeedBtnBack, fBtnReset}) {
    b->setMinimumWidth(110);
    b->setFocusPolicy(Qt::NoFocus);  // bar buttons do not take the focus from a field
    bar->addWidget(b);
  }
  bar->addStretch(1);
  auto* logo = new QLabel(panel);
  logo->setObjectName(QStringLiteral("ImageLogo"));
  logo->setPixmap(Logo());
  bar->addWidget(logo);

  connect(fBtnClose, &QPushButton::clicked, this, &TMainForm::BtnCloseClick);
  connect(fSpeedBtnBack, &QPushButton::clicked, this, [this] { BtnBackClick(fSpeedBtnBack); });
  connect(fBtnReset, &QPushButton::clicked, this, &TMainForm::BtnResetClick);

  static_cast<QVBoxLayout*>(parent->layout())->addWidget(panel);
}

void TMainForm::CreatePageControl(QWidget* parent) {
  fPageControl = new TPageControl(parent);
  fPageControl->setObjectName(QStringLiteral("PageControl"));
  fPageControl->setDocumentMode(false);
  fPageControl->setUsesScrollButtons(true);
  for (const TPageInfo& info : kPages) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(info.name));
    page->setProperty("quonPage", true);
    page->setAttribute(Qt::WA_StyledBackground);
    fPageControl->addTab(page, QString::fromUtf8(info.caption));
  }
  CreateInformationPage(Page(kPageInformation));
  CreateProgramPage(Page(kPagePrg));
  CreateContactPage(Page(kPageContact));
  CreateVideoPage(Page(kPageVideo));
  connect(fPageControl, &QTabWidget::currentChanged, this, [this] {
    if (!fChangingPage) PageControlChange();
  });
  static_cast<QVBoxLayout*>(parent->layout())->addWidget(fPageControl, 1);
}

TMarkedLabel* TMainForm::NewMarkedLabel(const QString& text, const QString& prefix, int markIndex, QWidget* parent) {
  auto* label = new TMarkedLabel(text, prefix, parent);
  label->Mark->setObjectName(QStringLiteral("LabelTM%1").arg(markIndex + 1));
  fTrademarks[static_cast<size_t>(markIndex)] = label->Mark;
  return label;
}

void TMainForm::CreateInformationPage(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(28, 18, 28, 12);
  v->setSpacing(8);

  auto* heading = NewMarkedLabel(QStringLiteral("Willkommen beim QUON -Zavurov"), QStringLiteral("Willkommen beim QUON"),
                                 0, page);
  heading->setObjectName(QStringLiteral("LabelWelcome"));
  heading->setProperty("quonRole", QStringLiteral("heading"));
  heading->setFont(HeadingFont(24));
  heading->SetMarkPixelSize(12);
  v->addWidget(heading);

  auto* intro = NewLabel(
      QStringLiteral("Der Contactlinsenrechner bietet Ihnen auf einfache Weise die Möglichkeit verschiedene "
                     "Berechnungen im Zusammenhang mit der Anpassung formstabiler Contactlinsen durchzuführen. "
                     "Hierzu stehen Ihnen verschiedene Berechnungsfunktionen zur Verfügung."),
      page, "LabelIntro");
  intro->setWordWrap(true);
  v->addWidget(intro);
  v->addSpacing(6);

  auto* prompt = NewLabel(
      QStringLiteral("Was möchten Sie berechnen? Klicken Sie hierzu eine der folgenden Schaltflächen an."), page,
      "LabelPrompt");
  prompt->setProperty("quonRole", QStringLiteral("prompt"));
  v->addWidget(prompt);

  struct TEntry {
    const char* button;
    TGlyph glyph;
    int tag;
    const char* text;
    const char* label;  // the clickable text, or none
  };
  const TEntry calculations[] = {
      {"SpeedBtnFit", TGlyph::Fit, kPageFirstFit,
       "Einen Anpassvorschlag für eine formstabile Contactlinse berechnen", "Label71"},
      {"SpeedBtnRefit", TGlyph::Refit, kPageRefit,
       "Eine formstabile Rezeptlinse auf Basis einer Messlinse berechnen", "Label72"},
      {"SpeedButton1", TGlyph::Topo, kPageTopographie, "Berechnen von HH-Topometriewerten", "Label82"},
      {"SpeedButton2", TGlyph::HSA, kPageHSA, "Refraktionswerte auf HSA 0 umrechnen", "Label85"},
      {"SpeedButton3", TGlyph::QValue, kPageQWert, "Q-Werte in Exzentrizitäten umrechnen", "Label88"},
  };
  auto* grid = new QGridLayout;
  grid->setContentsMargins(24, 2, 0, 2);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(2);
  int row = 0;
  for (const TEntry& e : calculations) {
    QToolButton* b = NewPictureButton(e.glyph, 30, e.button, page);
    SetTag(b, e.tag);
    connect(b, &QToolButton::clicked, this, [this, b] { BtnBackClick(b); });
    // The texts react to clicks over about the same width, so the column reads as a list.
    auto* text = new TClickLabel(QString::fromUtf8(e.text), page);
    text->setObjectName(QString::fromLatin1(e.label));
    text->setMinimumWidth(400);
    SetTag(text, e.tag);
    connect(text, &TClickLabel::Clicked, this, [this, text] { LabelClick(text); });
    grid->addWidget(b, row, 0);
    grid->addWidget(text, row, 1);
    ++row;
  }
  grid->setColumnStretch(2, 1);
  v->addLayout(grid);
  v->addSpacing(8);

  auto* further = NewLabel(
      QStringLiteral("Wenn Sie weiterführende Informationen suchen, stehen Ihnen die folgenden Funktionen zur Verfügung:"),
      page, "LabelFurther");
  further->setProperty("quonRole", QStringLiteral("prompt"));
  v->addWidget(further);

  auto* grid2 = new QGridLayout;
  grid2->setContentsMargins(24, 2, 0, 2);
  grid2->setHorizontalSpacing(12);
  grid2->setVerticalSpacing(2);
  QToolButton* contact = NewPictureButton(TGlyph::Contact, 30, "SpeedButton4", page);
  SetTag(contact, kPageContact);
  connect(contact, &QToolButton::clicked, this, [this, contact] { BtnBackClick(contact); });
  grid2->addWidget(contact, 0, 0);
  grid2->addWidget(NewLabel(QStringLiteral("Ansprechpartner bei der ") + kCompany, page, "LabelContact"), 0, 1);

  QToolButton* terms = NewPictureButton(TGlyph::Terms, 30, "SpeedButton5", page);
  SetTag(terms, kPagePrg);
  connect(terms, &QToolButton::clicked, this, [this, terms] { BtnBackClick(terms); });
  grid2->addWidget(terms, 1, 0);
  auto* termsText = NewMarkedLabel(QStringLiteral("AGBs und Informationen zum Programm QUON   -RAZERID"),
                                   QStringLiteral("AGBs und Informationen zum Programm QUON"), 1, page);
  termsText->setObjectName(QStringLiteral("LabelPrg"));
  termsText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  termsText->SetMarkPixelSize(9);
  grid2->addWidget(termsText, 1, 1);

  fBtnFilm = NewPictureButton(TGlyph::Film, 30, "BtnFilm", page);
  connect(fBtnFilm, &QToolButton::clicked, this, &TMainForm::BtnFilmClick);
  grid2->addWidget(fBtnFilm, 2, 0);
  fLabelFilm = NewLabel(QStringLiteral("Informationsfilm über dieses Programm"), page, "LabelFilm");
  QFont bold = fLabelFilm->font();
  bold.setBold(true);
  fLabelFilm->setFont(bold);
  grid2->addWidget(fLabelFilm, 2, 1);
  grid2->setColumnStretch(2, 1);
  v->addLayout(grid2);
  v->addStretch(1);
}

void TMainForm::CreateProgramPage(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(28, 18, 28, 12);
  v->setSpacing(6);
  auto* heading = NewLabel(QStringLiteral("AGBs und Informationen zum Programm"), page, "LabelPrgHeading");
  heading->setFont(HeadingFont(20));
  heading->setProperty("quonRole", QStringLiteral("heading"));
  v->addWidget(heading);
  auto* purpose = NewLabel(
      QStringLiteral("QUON-Zavurov berechnet Anpassvorschläge und Rezeptlinsen aus dem formstabilen "
                     "Linsensortiment von ORVEK sowie HH-Topometriewerte, Refraktionswerte auf HSA 0 und "
                     "Exzentrizitäten aus Q-Werten."),
      page, "LabelPrgPurpose");
  purpose->setWordWrap(true);
  v->addWidget(purpose);
  v->addWidget(NewLabel(QStringLiteral("Programmdatei: ") + QFileInfo(fProgramFile).fileName(), page, "LabelPrgFile"));
  v->addWidget(NewLabel(QStringLiteral("Copyright © 2015 ") + kCompany + QStringLiteral(". Alle Rechte vorbehalten."),
                        page, "LabelCopyright"));
  fLabelVersion = NewLabel(QString(), page, "LabelVersion");
  v->addWidget(fLabelVersion);
  auto* note = NewLabel(
      QStringLiteral("Die Nutzung des Programms ist Kunden von ORVEK zur Anpassung von ORVEK-Contactlinsen "
                     "gestattet. Es gelten die nachstehenden Allgemeinen Geschäftsbedingungen."),
      page, "LabelPrgTerms");
  note->setWordWrap(true);
  v->addWidget(note);
  auto* disclaimer = NewLabel(
      QStringLiteral("Die berechneten Werte sind Vorschläge. Sie ersetzen nicht die Beurteilung der Anpassung "
                     "am Auge durch den Anpasser; ORVEK übernimmt keine Haftung für Schäden, die aus der "
                     "Verwendung der berechneten Werte entstehen."),
      page, "LabelDisclaimer");
  disclaimer->setWordWrap(true);
  v->addWidget(disclaimer);
  auto* agb = new QTextEdit(page);
  agb->setObjectName(QStringLiteral("RichEditAGB"));
  agb->setReadOnly(true);
  agb->setPlainText(QStringLiteral(
      "Allgemeine Geschäftsbedingungen\n\n"
      "1. Geltungsbereich: Diese Bedingungen gelten für alle Lieferungen und Leistungen der " ) + kCompany +
                    QStringLiteral(
      " an Augenoptiker, Augenärzte und Contactlinsen-Anpasser.\n"
      "2. Bestellungen: Bestellungen werden schriftlich, per Telefax oder per E-Mail angenommen. "
      "Maßgeblich sind die in der Bestellung angegebenen Linsenparameter.\n"
      "3. Lieferung: Die Lieferung erfolgt auf Rechnung und Gefahr des Bestellers.\n"
      "4. Gewährleistung: Fertigungsfehler werden durch Ersatzlieferung behoben. Für Linsen, die nach "
      "abweichenden Parametern bestellt wurden, besteht kein Anspruch auf Umtausch.\n"
      "5. Software: Das Programm wird ohne Gewähr für die Eignung zu einem bestimmten Zweck überlassen.\n"));
  v->addWidget(agb, 1);
}

void TMainForm::CreateContactPage(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(28, 18, 28, 12);
  v->setSpacing(10);
  auto* heading = NewLabel(QStringLiteral("Kontakte..."), page, "LabelContactHeading");
  heading->setFont(HeadingFont(20));
  heading->setProperty("quonRole", QStringLiteral("heading"));
  v->addWidget(heading);

  auto* row = new QHBoxLayout;
  row->setSpacing(16);
  auto* address = new QGroupBox(QStringLiteral("Adresse"), page);
  address->setObjectName(QStringLiteral("GroupBoxAddress"));
  auto* a = new QVBoxLayout(address);
  for (const QString& line :
       {kCompany, QStringLiteral("Linsenweg 12"), QStringLiteral("D-64293 Darmstadt"), QString(),
        QStringLiteral("Zentrale: 06151 / 39 60 - 0"), QStringLiteral("Fax: 06151 / 39 60 - 99"), QString(),
        QStringLiteral("Registergericht: Amtsgericht Darmstadt, HRB 12345"),
        QStringLiteral("USt-IdNr.: DE 123 456 789")})
    a->addWidget(new QLabel(line, address));
  a->addStretch(1);
  row->addWidget(address, 1);

  // "&&" shows as one ampersand in a group box title.
  auto* phone = new QGroupBox(QStringLiteral("Telefonnummern && Email"), page);
  phone->setObjectName(QStringLiteral("GroupBoxPhone"));
  auto* t = new QGridLayout(phone);
  const std::pair<const char*, const char*> lines[] = {
      {"Zentrale", "06151 / 39 60 - 0"},
      {"Anpassberatung", pages::kFittingAdviceTelephone},
      {"Bestellannahme", "06151 / 39 60 - 30"},
      {"Email", "info@orvek.de"},
      {"WEB", "www.orvek.de"},
      {"Service-Center", "06151 / 39 60 - 40"},
      {"Bestellannahme", "Fax 06151 / 39 60 - 31"},
  };
  int r = 0;
  for (const auto& [key, value] : lines) {
    t->addWidget(new QLabel(QString::fromUtf8(key) + QStringLiteral(": "), phone), r, 0);
    t->addWidget(new QLabel(QString::fromUtf8(value), phone), r, 1);
    ++r;
  }
  t->setRowStretch(r, 1);
  t->setColumnStretch(1, 1);
  row->addWidget(phone, 1);
  v->addLayout(row);
  v->addStretch(1);

  fEditClipBoard = new QTextEdit(page);
  fEditClipBoard->setObjectName(QStringLiteral("EditClipBoard"));
  fEditClipBoard->setAcceptRichText(true);
  fEditClipBoard->setReadOnly(true);
  fEditClipBoard->hide();
}

void TMainForm::CreateVideoPage(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(28, 18, 28, 12);
  v->setSpacing(10);
  auto* heading = NewMarkedLabel(QStringLiteral("Informationen zum Programm und zur Anpassung der QUON"),
                                 QStringLiteral("Informationen zum Programm und zur Anpassung der QUON"), 2, page);
  heading->setObjectName(QStringLiteral("LabelVideoHeading"));
  heading->setProperty("quonRole", QStringLiteral("heading"));
  heading->setFont(HeadingFont(20));
  heading->SetMarkPixelSize(10);
  v->addWidget(heading);

  const QString hint = QStringLiteral("Anzeigen des Videos durch Klicken mit der linken Maustaste auf dieses Foto...");
  struct TVideo {
    const char* name;
    int tag;
    const char* heading;
    const char* prefix;
    const char* text;
  };
  const TVideo videos[] = {
      {"ImageIntro", 0, "Allgemeine Informationen zum Programm QUON   -Zavurov",
       "Allgemeine Informationen zum Programm QUON",
       "Der Contactlinsenrechner bietet Ihnen auf einfache Weise die Möglichkeit verschiedene Berechnungen im "
       "Zusammenhang mit der Anpassung der QUON-Kontaktlinse durchzuführen. In diesem Video werden Ihnen die "
       "einzelnen Programmfunktionen  vorgestellt."},
      {"ImageQUON", 1, "Allgemeine Informationen zur Anpassung der QUON", "Allgemeine Informationen zur Anpassung der QUON",
       "Hier bekommen sie Informationen zum Aufbau und der Anpassung der QUON-Kontaktlinse"},
  };
  auto* videoBox = new QGroupBox(page);
  videoBox->setObjectName(QStringLiteral("GroupBoxVideo"));
  auto* vg = new QGridLayout(videoBox);
  vg->setHorizontalSpacing(14);
  int row = 0;
  for (const TVideo& e : videos) {
    QToolButton* b = NewPictureButton(TGlyph::Video, 56, e.name, videoBox);
    b->setToolTip(hint);
    SetTag(b, e.tag);
    connect(b, &QToolButton::clicked, this, [this, b] { ImageClick(b); });
    auto* h = NewMarkedLabel(QString::fromUtf8(e.heading), QString::fromUtf8(e.prefix), 3 + row, videoBox);
    QFont bold = h->font();
    bold.setBold(true);
    h->setFont(bold);
    h->SetMarkPixelSize(9);
    auto* text = new QLabel(QString::fromUtf8(e.text), videoBox);
    text->setWordWrap(true);
    auto* col = new QVBoxLayout;
    col->addWidget(h);
    col->addWidget(text);
    col->addStretch(1);
    vg->addWidget(b, row, 0, Qt::AlignTop);
    vg->addLayout(col, row, 1);
    ++row;
  }
  vg->setColumnStretch(1, 1);
  v->addWidget(videoBox);

  auto* docsHeading = NewLabel(QStringLiteral("Allgemeine Information zu unseren Produkten"), page, "LabelDocuments");
  docsHeading->setFont(HeadingFont(14));
  v->addWidget(docsHeading);
  struct TDocument {
    const char* name;
    int tag;
    const char* text;
  };
  // Three rows: tags 6, 1, 4; then 2, 3, 5; then 0.
  const TDocument documents[3][3] = {
      {{"Image19", 6, "Fachinfo zur Anpassung der QUON"},
       {"Image14", 1, "ORVEK-Info  Linsenhochsitz"},
       {"Image17", 4, "VP/VPT: Classic- oder Lenti-Ausführung. Design und Anpassung (Teil 1)"}},
      {{"Image15", 2, "Selektionshilfe für Kontaktlinsen-Materialien"},
       {"Image16", 3, "ORVEK-Info  Linsentiefsitz"},
       {"Image18", 5, "VP/VPT: Classic- oder Lenti-Ausführung. Design und Anpassung (Teil 2)"}},
      {{"ImagePDF1", 0, "Die 10 häufigsten Fragen und Antworten zur formstabilen ZYQ und KIRO-Software"},
       {nullptr, 0, nullptr},
       {nullptr, 0, nullptr}},
  };
  auto* docsBox = new QGroupBox(page);
  docsBox->setObjectName(QStringLiteral("GroupBoxDocuments"));
  auto* dg = new QGridLayout(docsBox);
  dg->setHorizontalSpacing(8);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const TDocument& d = documents[r][c];
      if (!d.name) continue;
      QToolButton* b = NewPictureButton(TGlyph::Document, 22, d.name, docsBox);
      SetTag(b, d.tag);
      connect(b, &QToolButton::clicked, this, [this, b] { ImagePDFClick(b); });
      QLabel* text;
      if (d.tag == 6) {
        auto* marked = NewMarkedLabel(QString::fromUtf8(d.text), QString::fromUtf8(d.text), 5, docsBox);
        marked->SetMarkPixelSize(9);
        text = marked;
      } else {
        text = new QLabel(QString::fromUtf8(d.text), docsBox);
      }
      text->setWordWrap(d.tag != 6);
      text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      const int span = (r == 2) ? 5 : 1;
      dg->addWidget(b, r, 2 * c);
      dg->addWidget(text, r, 2 * c + 1, 1, span);
    }
  }
  for (int c = 0; c < 3; ++c) dg->setColumnStretch(2 * c + 1, 1);
  v->addWidget(docsBox);
  v->addStretch(1);
}

void TMainForm::CreatePages() {
  // Calculation pages build their controls into Page(index) and register their reset
  // here (see MainForm.h).
  new TFirstFitPage(*this);
}

QWidget* TMainForm::Page(int index) const {
  return (index >= 0 && index < kPageCount) ? fPageControl->widget(index) : nullptr;
}

void TMainForm::SetPageReset(int index, TPageReset reset) {
  if (index >= 0 && index < static_cast<int>(fPageResets.size()))
    fPageResets[static_cast<size_t>(index)] = std::move(reset);
}

int TMainForm::Tag(const QObject* control) {
  if (!control) return -1;
  bool ok = false;
  const int tag = control->property(kTagProperty).toInt(&ok);
  return ok ? tag : -1;
}

void TMainForm::SetTag(QObject* control, int tag) { control->setProperty(kTagProperty, tag); }

void TMainForm::ShowPage(int index) {
  fChangingPage = true;
  fPageControl->setCurrentIndex(index);
  fChangingPage = false;
}

void TMainForm::SetTabShown(int index, bool shown) {
  // Hiding the tab in front makes the tab bar pick another page: that is no user click.
  fChangingPage = true;
  fPageControl->setTabVisible(index, shown);
  fChangingPage = false;
}

void TMainForm::SetView(std::int32_t value) {
  fView = value;
  ShowPage(value);
  fSpeedBtnBack->setVisible(value != kPageInformation);
  fBtnReset->setVisible(static_cast<std::uint32_t>(value) <= 2u);
}

void TMainForm::SetFilmActive(bool value) {
  fFilmActive = value;
  fLabelFilm->setVisible(value);
  fBtnFilm->setVisible(value);
  SetTabShown(kPageVideo, value);
}

void TMainForm::BtnBackClick(QObject* sender) {
  const int tag = Tag(sender);
  if (tag >= 0) SetView(tag);
}

void TMainForm::LabelClick(QObject* sender) {
  const int tag = Tag(sender);
  if (tag >= 0) SetView(tag);
}

void TMainForm::BtnCloseClick() { close(); }

void TMainForm::BtnResetClick() {
  const int index = fPageControl->currentIndex();
  if (index >= 0 && index < static_cast<int>(fPageResets.size())) {
    if (const TPageReset& reset = fPageResets[static_cast<size_t>(index)]) reset();
  }
}

void TMainForm::PageControlChange() {
  const int index = fPageControl->currentIndex();
  fSpeedBtnBack->setVisible(index != kPageInformation);
  fBtnReset->setVisible(index >= 0 && index <= 2);
}

void TMainForm::ConnectOutOfRange(TOrvekEdit* field) {
  connect(field, &TOrvekEdit::OnOutOfRange, this, &TMainForm::EditOutOfRange);
}

void TMainForm::EditOutOfRange(TOrvekEdit* sender) {
  if (!sender) return;
  fMessages->Beep();
  fMessages->Error(QString::fromStdString(pages::OutOfRangeMessage(
      sender->DATField().toStdString(), sender->MinValue(), sender->MaxValue(), LocaleDecimalSeparator())));
  sender->clear();
  if (sender->isVisible()) {
    // The closed box handed the activation back; make sure the field's window has it.
    sender->window()->activateWindow();
    sender->setFocus(Qt::OtherFocusReason);
  }
}

void TMainForm::BtnFilmClick() {
  if (fMediaHooks.BtnFilmClick) fMediaHooks.BtnFilmClick();
}

void TMainForm::ImageClick(QObject* sender) {
  if (fMediaHooks.ImageClick) fMediaHooks.ImageClick(Tag(sender));
}

void TMainForm::ImagePDFClick(QObject* sender) {
  if (fMediaHooks.ImagePDFClick) fMediaHooks.ImagePDFClick(Tag(sender));
}

QString TMainForm::CopyrightNotice() { return QStringLiteral("© 2015 ") + kCompany; }

QString TMainForm::GetVersion() const { return ReadVersion(fVersionRecord); }

QString TMainForm::BuildDate() const {
  const QDateTime modified = QFileInfo(fProgramFile).lastModified();
  return modified.isValid() ? QLocale().toString(modified.date(), QLocale::ShortFormat) : QString();
}

void TMainForm::FormCreate() {
  SetView(kPageFirstFit);

  const QString version = GetVersion();
  const QString date = BuildDate();
  setWindowTitle(QStringLiteral("QUON®-Zavurov") + QString(5, QLatin1Char(' ')) + CopyrightNotice() +
                 QString(9, QLatin1Char(' ')) + QStringLiteral("Ver ") + version +
                 QStringLiteral("          Build ") + date);
  fLabelVersion->setText(QStringLiteral("Ver ") + version + QStringLiteral("  vom ") + date);

  SetView(kPageInformation);

  for (int index : {kPageRefit, kPageFirstFit, kPageTopographie})
    if (const TPageReset& reset = fPageResets[static_cast<size_t>(index)]) reset();

  SetTabShown(kPageInformation, false);
  SetTabShown(kPagePrg, false);
  SetTabShown(kPageContact, false);
  SetTabShown(kPageHSA, true);
  SetTabShown(kPageQWert, true);
  SetTabShown(kPageVideo, false);
  ShowPage(kPageInformation);

  SetFilmActive(QFileInfo(QDir::current().filePath(QStringLiteral("QUON_Razerid.wmv"))).isFile());

  for (QLabel* mark : fTrademarks)
    if (mark) mark->setText(QStringLiteral("®"));
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!fShownOnce) {
    fShownOnce = true;
    ShowPage(kPageInformation);
  }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only the first delivery, to the focused control of this window; the key goes on
    // to that control afterwards.
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && widget &&
        widget == QApplication::focusWidget() && widget->window() == this) {
      focusNextChild();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
