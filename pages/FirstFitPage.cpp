#include "pages/FirstFitPage.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <utility>

#include "app/MainForm.h"
#include "app/Messages.h"
#include "controls/ImageRadius.h"
#include "controls/OrvekEdit.h"
#include "engine/CalculationTORIC.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QLabel* NewLabel(const QString& text, QWidget* parent, const QString& name = QString()) {
  auto* label = new QLabel(text, parent);
  if (!name.isEmpty()) label->setObjectName(name);
  return label;
}

// A small second line under a label, such as "Flach" under "Radius".
QLabel* NewSubLabel(const QString& text, QWidget* parent, const QString& name = QString()) {
  QLabel* label = NewLabel(text, parent, name);
  QFont f = label->font();
  f.setPointSizeF(f.pointSizeF() * 0.85);
  label->setFont(f);
  return label;
}

// A field that only shows text (lens type, material, derived values).
TOrvekEdit* NewDisplay(QWidget* parent, const QString& name) {
  auto* field = new TOrvekEdit(parent);
  field->setObjectName(name);
  field->StandardLook();
  field->SetDataType(deText);
  field->setEnabled(false);
  // Results must stay easy to read although the field takes no input.
  QPalette pal = field->palette();
  pal.setColor(QPalette::Disabled, QPalette::Text, QColor(25, 25, 25));
  pal.setColor(QPalette::Disabled, QPalette::Base, QColor(238, 235, 245));
  field->setPalette(pal);
  return field;
}

}  // namespace

TFirstFitPage::TFirstFitPage(TMainForm& form) : QObject(&form), form_(form) {
  QWidget* page = form.Page(kPageFirstFit);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setSpacing(2);
  QLabel* title = NewLabel("Berechnen eines Anpassvorschlags", page, "LabelFitTitle");
  QFont tf = title->font();
  tf.setBold(true);
  tf.setPointSizeF(tf.pointSizeF() * 1.25);
  title->setFont(tf);
  layout->addWidget(title);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(10);
  layout->addLayout(columns, 1);
  eyes_[0].prefix = "RA";
  eyes_[0].start = &form.StartRA;
  eyes_[0].prism = &form.RAPrs;
  eyes_[1].prefix = "LA";
  eyes_[1].start = &form.StartLA;
  eyes_[1].prism = &form.LAPrs;
  for (int i = 0; i < 2; ++i) {
    auto* column = new QWidget(page);
    columns->addWidget(column, 1);
    BuildEye(eyes_[static_cast<size_t>(i)], column, i == 0);
  }
  form.SetPageReset(kPageFirstFit, [this] { BitResetFitClick(); });
}

void TFirstFitPage::BuildEye(Eye& eye, QWidget* column, bool right) {
  const QString p = eye.prefix;
  const QString side = right ? "für das rechte Auge: " : "für das linke Auge: ";
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(2);

  // A numeric field with its value rules and the shared out-of-range message.
  auto result = [&](QWidget* parent, const orvek::FieldSpec& spec) {
    auto* field = new TOrvekEdit(parent);
    field->setObjectName(p + Q(spec.name));
    field->ConfigureNumeric(spec);
    field->setFixedWidth(64);
    form_.ConnectOutOfRange(field);
    return field;
  };
  // An input field: leaving it recomputes the page.
  auto input = [&](QWidget* parent, const orvek::FieldSpec& spec) {
    TOrvekEdit* field = result(parent, spec);
    connect(field, &TOrvekEdit::OnExit, this, [this](TOrvekEdit* s) { EditExitFIT(s); });
    return field;
  };
  auto display = [&](QWidget* parent, const QString& name) {
    TOrvekEdit* field = NewDisplay(parent, p + name);
    field->setFixedWidth(64);
    return field;
  };

  // Keratometry
  auto* hh = new QGroupBox(" HH-Werte " + side, column);
  hh->setObjectName(p + "GroupBoxFitHH");
  auto* hhRow = new QHBoxLayout(hh);
  hhRow->setContentsMargins(8, 2, 8, 4);
  auto* g = new QGridLayout;
  g->setHorizontalSpacing(6);
  g->setVerticalSpacing(1);
  hhRow->addLayout(g);
  eye.EditFitRfl = input(hh, firstfit::kFitRfl);
  eye.EditFitRst = input(hh, firstfit::kFitRst);
  eye.EditFitAflm = input(hh, firstfit::kFitAflm);
  eye.EditFitExz = input(hh, firstfit::kFitExz);
  eye.EditFitHHdia = input(hh, firstfit::kFitHHdia);
  eye.EditFitHHAstig = display(hh, "EditFitHHAstig");
  connect(eye.EditFitHHAstig, &TOrvekEdit::OnExit, this, [this](TOrvekEdit* s) { EditExitFIT(s); });
  eye.BtnInfo = new QPushButton("?", hh);
  eye.BtnInfo->setObjectName(right ? "BtnInfoR" : "BtnInfoL");
  eye.BtnInfo->setFixedSize(24, 24);
  eye.BtnInfo->setToolTip("Hinweis zur Exzentrizität");
  // Enter and Tab go from field to field; a click still takes the focus (and so leaves the field).
  eye.BtnInfo->setFocusPolicy(Qt::ClickFocus);
  connect(eye.BtnInfo, &QPushButton::clicked, this, [this, b = eye.BtnInfo] { BtnInfoClick(b); });

  g->addWidget(NewLabel("Radius", hh), 0, 0);
  g->addWidget(NewSubLabel("Flach", hh), 0, 1);
  g->addWidget(eye.EditFitRfl, 0, 2);
  g->addWidget(NewLabel("Radius", hh), 1, 0);
  g->addWidget(NewSubLabel("Steil", hh), 1, 1);
  g->addWidget(eye.EditFitRst, 1, 2);
  g->addWidget(NewLabel("in", hh), 2, 1, Qt::AlignRight);
  g->addWidget(eye.EditFitAflm, 2, 2);
  g->addWidget(NewLabel("° ", hh), 2, 3);
  g->addWidget(NewLabel("Exzentrizität", hh), 3, 0, 1, 2);
  g->addWidget(eye.EditFitExz, 3, 2);
  g->addWidget(eye.BtnInfo, 3, 3);
  g->addWidget(NewLabel("HH-Durchm.", hh), 4, 0, 1, 2);
  g->addWidget(eye.EditFitHHdia, 4, 2);
  g->addWidget(NewLabel("Astig.", hh), 5, 0);
  g->addWidget(NewSubLabel("HH", hh), 5, 1);
  g->addWidget(eye.EditFitHHAstig, 5, 2);
  g->setRowStretch(6, 1);
  hhRow->addStretch(1);
  eye.ImageRadFit = new TImageRadius(hh);
  eye.ImageRadFit->setObjectName(p + "ImageRadFit");
  eye.ImageRadFit->setFixedSize(153, 161);
  hhRow->addWidget(eye.ImageRadFit, 0, Qt::AlignTop);
  v->addWidget(hh);

  // Spectacle refraction; the left box's caption has two blanks before "für".
  auto* ref = new QGroupBox(right ? " Brillenrefraktion für das rechte Auge: "
                                  : " Brillenrefraktion  für das linke Auge: ",
                            column);
  ref->setObjectName(p + "GroupBoxFitRef");
  auto* r = new QGridLayout(ref);
  r->setContentsMargins(8, 2, 8, 4);
  r->setHorizontalSpacing(6);
  r->setVerticalSpacing(1);
  eye.EditFitSph = input(ref, firstfit::kFitSph);
  eye.EditFitCyl = input(ref, firstfit::kFitCyl);
  eye.EditFitAxis = input(ref, firstfit::kFitAxis);
  eye.EditFitHSA = input(ref, firstfit::kFitHSA);
  eye.EditFitSph0 = display(ref, "EditFitSph0");
  eye.EditFitCyl0 = display(ref, "EditFitCyl0");
  eye.EditFitA0 = display(ref, "EditFitA0");
  eye.EditFitHSA0 = display(ref, "EditFitHSA0");
  eye.EditFitHSA0->setText("0");
  eye.BtnCalculate = new QPushButton("Berechnen", ref);
  eye.BtnCalculate->setObjectName(p + "BtnCalculate");
  connect(eye.BtnCalculate, &QPushButton::clicked, this,
          [this, b = eye.BtnCalculate] { BtnCalculateClick(b); });
  r->addWidget(NewLabel("Sph.", ref), 0, 0);
  r->addWidget(NewLabel("Zyl.", ref), 0, 1);
  auto* axisLabel = new QHBoxLayout;
  axisLabel->setSpacing(2);
  axisLabel->addWidget(NewLabel("Achse", ref));
  axisLabel->addWidget(NewSubLabel("HH", ref));
  axisLabel->addStretch(1);
  r->addLayout(axisLabel, 0, 2);
  r->addWidget(NewLabel("HSA", ref), 0, 3);
  r->addWidget(eye.EditFitSph, 1, 0);
  r->addWidget(eye.EditFitCyl, 1, 1);
  r->addWidget(eye.EditFitAxis, 1, 2);
  r->addWidget(eye.EditFitHSA, 1, 3);
  r->addWidget(eye.EditFitSph0, 2, 0);
  r->addWidget(eye.EditFitCyl0, 2, 1);
  r->addWidget(eye.EditFitA0, 2, 2);
  r->addWidget(eye.EditFitHSA0, 2, 3);
  r->addWidget(eye.BtnCalculate, 1, 4, 2, 1);
  r->setColumnStretch(5, 1);
  v->addWidget(ref);

  // Result box
  eye.GroupBoxFit = new QGroupBox(" Vorschlag " + side, column);
  eye.GroupBoxFit->setObjectName(p + "GroupBoxFit");
  QGroupBox* box = eye.GroupBoxFit;
  auto* f = new QGridLayout(box);
  f->setContentsMargins(8, 2, 8, 4);
  f->setHorizontalSpacing(6);
  f->setVerticalSpacing(1);
  eye.EditFitLensType = NewDisplay(box, p + "EditFitLensType");
  eye.ComboBoxFitMat = NewDisplay(box, p + "ComboBoxFitMat");
  eye.EditFitR0fl = result(box, firstfit::kFitR0fl);
  eye.EditFitR0st = result(box, firstfit::kFitR0st);
  eye.EditFitDptfl = result(box, firstfit::kFitDptfl);
  eye.EditFitDptst = result(box, firstfit::kFitDptst);
  eye.EditFitA = result(box, firstfit::kFitA);
  eye.EditFitPrs = result(box, firstfit::kFitPrs);
  eye.EditFitDg = result(box, firstfit::kFitDg);
  for (TOrvekEdit* e : {eye.EditFitPrs, eye.EditFitDg})
    connect(e, &TOrvekEdit::OnExit, this, [this](TOrvekEdit* s) { EditFitPrsExit(s); });
  eye.LabelR0fl1 = NewSubLabel("Flach", box, p + "LabelR0fl1");
  eye.LabelR0st = NewLabel("R0", box, p + "LabelR0st");
  eye.LabelR0st1 = NewSubLabel("Steil", box, p + "LabelR0st1");
  eye.LabelDptst = NewLabel("F´", box, p + "LabelDptst");
  eye.LabelDptst1 = NewSubLabel("Steil", box, p + "LabelDptst1");
  eye.LabelA = NewLabel("Achse", box, p + "LabelA");
  eye.LabelPrs = NewLabel("Prs.", box, p + "LabelPrs");
  QLabel* labelDg = NewLabel("dg", box, p + "LabelDg");
  auto* copy = new QPushButton("Kopieren", box);
  copy->setObjectName(p + "BtnfitToClipboard");
  copy->setToolTip("Für Email in Zwischenablage kopieren ...");
  connect(copy, &QPushButton::clicked, this, [this, copy] { RABtnfitToClipboardClick(copy); });

  // Columns: label, sub-label, field | label, sub-label, field | label, field
  f->addWidget(NewLabel("CL-Typ", box), 0, 0, 1, 2);
  f->addWidget(eye.EditFitLensType, 0, 2, 1, 4);
  eye.EditFitLensType->setMaximumWidth(QWIDGETSIZE_MAX);
  f->addWidget(NewLabel("Material", box), 0, 6);
  f->addWidget(eye.ComboBoxFitMat, 0, 7);
  f->addWidget(NewLabel("R0", box), 1, 0);
  f->addWidget(eye.LabelR0fl1, 1, 1);
  f->addWidget(eye.EditFitR0fl, 1, 2);
  f->addWidget(eye.LabelR0st, 1, 3);
  f->addWidget(eye.LabelR0st1, 1, 4);
  f->addWidget(eye.EditFitR0st, 1, 5);
  f->addWidget(labelDg, 1, 6);
  f->addWidget(eye.EditFitDg, 1, 7);
  f->addWidget(NewLabel("F´", box), 2, 0);
  f->addWidget(NewSubLabel("Flach", box), 2, 1);
  f->addWidget(eye.EditFitDptfl, 2, 2);
  f->addWidget(eye.LabelDptst, 2, 3);
  f->addWidget(eye.LabelDptst1, 2, 4);
  f->addWidget(eye.EditFitDptst, 2, 5);
  f->addWidget(eye.LabelPrs, 2, 6);
  f->addWidget(eye.EditFitPrs, 2, 7);
  f->addWidget(copy, 3, 0, 1, 3, Qt::AlignLeft);
  f->addWidget(eye.LabelA, 3, 6);
  f->addWidget(eye.EditFitA, 3, 7);
  f->setColumnStretch(8, 1);
  v->addWidget(box);
  v->addStretch(1);
}

TFirstFitPage::Eye& TFirstFitPage::EyeOf(QObject* sender) {
  const QString name = sender ? sender->objectName().toUpper() : QString();
  return name.contains("RA") ? eyes_[0] : eyes_[1];
}

TFirstFitPage::Eye& TFirstFitPage::EyeByPrefix(const QString& prefix) {
  return prefix.toUpper() == "RA" ? eyes_[0] : eyes_[1];
}

firstfit::EyeInput TFirstFitPage::ReadInput(const Eye& eye) const {
  firstfit::EyeInput in;
  in.rfl = eye.EditFitRfl->ToFloat();
  in.rst = eye.EditFitRst->ToFloat();
  in.aflm = eye.EditFitAflm->ToFloat();
  in.exz = eye.EditFitExz->ToFloat();
  in.hhdia = eye.EditFitHHdia->ToFloat();
  in.sph = eye.EditFitSph->ToFloat();
  in.cyl = eye.EditFitCyl->ToFloat();
  in.axis = eye.EditFitAxis->ToFloat();
  in.hsa = eye.EditFitHSA->ToFloat();
  return in;
}

void TFirstFitPage::EditExitFIT(QObject* sender) {
  Eye& eye = EyeOf(sender);

  // Completeness of both eyes, whichever field was left.
  const bool complete[2] = {firstfit::Complete(ReadInput(eyes_[0])),
                            firstfit::Complete(ReadInput(eyes_[1]))};

  ShowCornea(eye);
  ShowRefractionAtZero(eye);

  bool failed[2] = {false, false};
  for (size_t i = 0; i < 2; ++i) {
    if (!complete[i]) continue;
    const EyeOutcome outcome = ProposeFor(eyes_[i]);
    if (outcome == EyeOutcome::Stop) return;  // suitability check: the handling ends here
    failed[i] = outcome == EyeOutcome::Failed;
  }
  // A box whose proposal just failed is not shown with values of an earlier proposal.
  for (size_t i = 0; i < 2; ++i) eyes_[i].GroupBoxFit->setVisible(complete[i] && !failed[i]);
}

void TFirstFitPage::ShowCornea(Eye& eye) {
  const firstfit::EyeInput in = ReadInput(eye);
  if (!firstfit::IsSet(in.rfl) || !firstfit::IsSet(in.rst) || !firstfit::IsSet(in.aflm)) {
    eye.ImageRadFit->hide();
    return;
  }
  double rfl = in.rfl;
  double rst = in.rst;
  if (firstfit::RadiiNeedExchange(rfl, rst)) {
    std::swap(rfl, rst);
    eye.EditFitRfl->setText(LocaleFixed(rfl, 2));
    eye.EditFitRst->setText(LocaleFixed(rst, 2));
  }
  TImageRadius* img = eye.ImageRadFit;
  img->SetDarkView(false);
  img->SetAxis(in.aflm);
  img->SetRfl(rfl);
  img->SetRst(rst);
  img->SetTitle(QString());
  img->Draw();
  if (const auto astig = firstfit::CornealAstigmatism(rfl, rst))
    eye.EditFitHHAstig->setText(LocaleFixed(*astig, 2));
  img->show();
}

void TFirstFitPage::ShowRefractionAtZero(Eye& eye) {
  const firstfit::EyeInput in = ReadInput(eye);
  if (!firstfit::RefractionComplete(in)) return;
  TRefraction refraction;
  refraction.Sph = in.sph;
  refraction.Cyl = in.cyl;
  refraction.Axis = in.axis;
  refraction.HSA = in.hsa;
  refraction.Stab = 0;
  try {
    form_.Calculate1.Transform2MinusCylinder(refraction);
    const TRefraction zero = form_.Calculate1.CalculateHSA0(refraction);
    eye.EditFitSph0->setText(LocaleFixed(zero.Sph, 2));
    eye.EditFitCyl0->setText(LocaleFixed(zero.Cyl, 2));
    eye.EditFitA0->setText(LocaleFixed(zero.Axis, 0));
  } catch (const EHsaConversionError&) {
    form_.Messages().Error("Die Refraktion kann nicht auf HSA 0 umgerechnet werden.");
  }
}

TFirstFitPage::EyeOutcome TFirstFitPage::ProposeFor(Eye& eye) {
  const char sep = LocaleDecimalSeparator();
  TKiroCalculate& engine = eye.prefix == "RA" ? form_.RACalc : form_.LACalc;
  firstfit::EyeState state{*eye.start, *eye.prism};
  const auto outcome = firstfit::ProposeEye(
      engine, ReadInput(eye), state,
      [&](double residual) { return form_.Messages().Confirm(Q(firstfit::PrismQuestion(residual, sep))); },
      sep);
  *eye.start = state.start;
  *eye.prism = state.prism;
  switch (outcome.status) {
    case firstfit::ProposalStatus::Unsuitable:
      form_.Messages().Information(Q(firstfit::kMsgUnsuitable));
      return EyeOutcome::Stop;
    case firstfit::ProposalStatus::Failed:
      form_.Messages().Error(QString::fromUtf8(firstfit::kMsgProposeFailed));
      return EyeOutcome::Failed;
    case firstfit::ProposalStatus::Proposed:
      break;
  }
  ShowResult(eye, outcome.view);
  return EyeOutcome::Shown;
}

void TFirstFitPage::ShowResult(Eye& eye, const firstfit::ResultView& view) {
  eye.EditFitLensType->setText(Q(view.lensType));
  eye.EditFitR0st->setVisible(view.r0stShown);
  eye.LabelR0st->setVisible(view.r0stShown);
  eye.LabelR0fl1->setVisible(view.r0stShown);
  eye.LabelR0st1->setVisible(view.r0stShown);
  eye.EditFitDptst->setVisible(view.dptstShown);
  eye.LabelDptst->setVisible(view.dptstShown);
  eye.LabelDptst1->setVisible(view.dptstShown);
  eye.EditFitPrs->setVisible(view.prsShown);
  eye.LabelPrs->setVisible(view.prsShown);
  eye.EditFitA->setVisible(view.aShown);
  eye.LabelA->setVisible(view.aShown);
  eye.LabelDptst->setText("F´");
  eye.EditFitR0fl->setText(Q(view.r0fl));
  eye.EditFitR0st->setText(Q(view.r0st));
  eye.EditFitDptfl->setText(Q(view.dptfl));
  eye.EditFitDptst->setText(Q(view.dptst));
  eye.EditFitA->setText(Q(view.a));
  eye.EditFitPrs->setText(Q(view.prs));
  eye.EditFitDg->setText(Q(view.dg));
  eye.ComboBoxFitMat->setText(Q(view.material));
}

void TFirstFitPage::BtnCalculateClick(QObject*) {
  // Clicking the button moved the focus, which already ran the field's leave handling.
}

void TFirstFitPage::BtnInfoClick(QObject*) {
  form_.Messages().Information(QString::fromUtf8(firstfit::kMsgEccentricityHint));
}

void TFirstFitPage::BitResetFitClick() {
  for (Eye& eye : eyes_) eye.GroupBoxFit->hide();
  for (Eye& eye : eyes_) {
    eye.EditFitRfl->clear();
    eye.EditFitRst->clear();
    eye.EditFitExz->clear();
    eye.EditFitAflm->setText(Q(firstfit::kFitAflm.resetText));
    eye.EditFitHHdia->setText(Q(firstfit::kFitHHdia.resetText));
  }
  for (Eye& eye : eyes_) {
    eye.ImageRadFit->hide();
    eye.ImageRadFit->SetLangIndex(2);
  }
  for (Eye& eye : eyes_) {
    eye.EditFitSph->clear();
    eye.EditFitCyl->setText(Q(firstfit::kFitCyl.resetText));
    eye.EditFitAxis->setText(Q(firstfit::kFitAxis.resetText));
    eye.EditFitHSA->clear();
    eye.EditFitSph0->clear();
    eye.EditFitCyl0->clear();
    eye.EditFitHHAstig->clear();
  }
  form_.StartRA = form_.StartLA = true;
  form_.RAPrs = form_.LAPrs = false;
}

void TFirstFitPage::EditFitPrsExit(QObject* sender) {
  Eye& eye = EyeByPrefix(sender->objectName().left(2));
  if (eye.EditFitPrs->ToFloat() == eye.EditFitPrs->DefaultValue()) return;
  const bool shown = !eye.EditFitPrs->isHidden();
  const double prism = eye.EditFitPrs->ToFloat();
  const double dg = eye.EditFitDg->ToFloat();
  const std::string text = eye.EditFitLensType->text().toStdString();
  eye.EditFitLensType->setText(Q(firstfit::UpdateTypeTextForPrism(text, prism, dg, shown)));
}

void TFirstFitPage::RABtnfitToClipboardClick(QObject* sender) {
  const QString prefix = sender->objectName().left(2);
  Eye& eye = EyeByPrefix(prefix);
  firstfit::ResultView view;
  view.lensType = eye.EditFitLensType->text().toStdString();
  view.material = eye.ComboBoxFitMat->text().toStdString();
  view.r0fl = eye.EditFitR0fl->text().toStdString();
  view.r0st = eye.EditFitR0st->text().toStdString();
  view.dptfl = eye.EditFitDptfl->text().toStdString();
  view.dptst = eye.EditFitDptst->text().toStdString();
  view.a = eye.EditFitA->text().toStdString();
  view.prs = eye.EditFitPrs->text().toStdString();
  view.dg = eye.EditFitDg->text().toStdString();
  view.r0stShown = !eye.EditFitR0st->isHidden();
  view.dptstShown = !eye.EditFitDptst->isHidden();
  view.prsShown = !eye.EditFitPrs->isHidden();
  view.aShown = !eye.EditFitA->isHidden();
  const auto lines = firstfit::OrderLines(prefix.toStdString(), view);

  auto* clip = form_.FindControl<QTextEdit>("EditClipBoard");
  if (!clip) return;
  clip->clear();
  for (const auto& line : lines) clip->append(Q(line));
  clip->selectAll();
  // Plain text with CR LF between the lines, as order e-mails expect, and the same lines
  // as rich text.
  auto* mime = new QMimeData;
  mime->setText(Q(firstfit::JoinLines(lines)));
  mime->setHtml(clip->document()->toHtml());
  QApplication::clipboard()->setMimeData(mime);
}
