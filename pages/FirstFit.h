#pragma once
// Workflow of the first-fit page "Anpassvorschlag" without widgets: the field table, the
// records the engine is fed with, the suitability check, the proposal of one eye with its
// prism question, the texts and visibilities of the result box, the lens-type update when
// prism or diameter change, and the order text of the copy button. The page widget and
// `quon-calc fit` both run this code.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/OrvekValue.h"
#include "engine/KiroCalculate.h"

namespace firstfit {

// Value of an empty or unreadable field of this page.
constexpr double kNotSet = -99.0;

// Input fields of one eye (object names without the "RA"/"LA" prefix).
extern const orvek::FieldSpec kFitRfl;
extern const orvek::FieldSpec kFitRst;
extern const orvek::FieldSpec kFitAflm;
extern const orvek::FieldSpec kFitExz;
extern const orvek::FieldSpec kFitHHdia;
extern const orvek::FieldSpec kFitSph;
extern const orvek::FieldSpec kFitCyl;
extern const orvek::FieldSpec kFitAxis;
extern const orvek::FieldSpec kFitHSA;
// Typed fields of the result box.
extern const orvek::FieldSpec kFitR0fl;
extern const orvek::FieldSpec kFitR0st;
extern const orvek::FieldSpec kFitDptfl;
extern const orvek::FieldSpec kFitDptst;
extern const orvek::FieldSpec kFitA;
extern const orvek::FieldSpec kFitPrs;
extern const orvek::FieldSpec kFitDg;

const std::array<const orvek::FieldSpec*, 9>& InputFields();
const std::array<const orvek::FieldSpec*, 7>& ResultFields();

// Messages of the page.
extern const std::string kMsgUnsuitable;     // eccentricity outside the range of the lens
extern const char* const kMsgProposeFailed;  // the engine could not propose a lens
extern const char* const kMsgEccentricityHint;
// The prism question, with the expected residual cylinder (signed, two decimals).
std::string PrismQuestion(double residualCylinder, char separator);

// Values of one eye as read from its fields; kNotSet where a field holds no value.
struct EyeInput {
  double rfl = kNotSet;
  double rst = kNotSet;
  double aflm = kNotSet;
  double exz = kNotSet;
  double hhdia = kNotSet;
  double sph = kNotSet;
  double cyl = kNotSet;
  double axis = kNotSet;
  double hsa = kNotSet;
};

inline bool IsSet(double value) { return value != kNotSet; }
bool KeratometryComplete(const EyeInput& in);
bool RefractionComplete(const EyeInput& in);
inline bool Complete(const EyeInput& in) { return KeratometryComplete(in) && RefractionComplete(in); }

// The flat radius must be the larger one; when it is not, the two fields exchange values.
bool RadiiNeedExchange(double rfl, double rst);
// Corneal astigmatism in D (zero or negative); empty when a radius is zero or not finite.
std::optional<double> CornealAstigmatism(double rfl, double rst);

// The engine's records from the page's values. The flat radius is horizontal when the
// flat meridian lies below 45 or from 135 degrees on.
TKiroCorneaData MakeCornea(const EyeInput& in);
TKiroRefractionData MakeRefraction(const EyeInput& in);
// InitObj and the configuration the page uses, then cornea and refraction.
void SetUpEngine(TKiroCalculate& engine, const EyeInput& in);

// A fresh eye is refused when its eccentricity lies below 0.199 or above 0.65.
bool EccentricityUnsuitable(double eccentricity);

// Per-eye state of the page: no proposal shown since the last reset; prism wanted.
struct EyeState {
  bool start = true;
  bool prism = false;
};

// Texts and visibilities of an eye's result box, numbers with the given separator.
struct ResultView {
  std::string lensType;
  std::string material;
  std::string r0fl, r0st, dptfl, dptst, a, prs, dg;
  bool r0stShown = false;   // with its labels "R0", "Flach", "Steil"
  bool dptstShown = false;  // with its labels
  bool prsShown = false;
  bool aShown = false;
};

std::string DesignText(TKiroContactLensDesign design);
std::string LensTypeText(TKiroContactLensDesign design, TKiroContactLensType type, bool prism,
                         double dg);
// Prism ordered for a lens without one yet: 1.2 below a diameter of 9.4, else 1.4.
double DefaultPrism(double dg);
ResultView MakeResultView(const TKiroCalculate& engine, bool prism, char separator);

enum class ProposalStatus {
  Unsuitable,  // fresh eye, eccentricity outside the lens's range: nothing proposed
  Failed,      // the engine reported a failure: nothing shown
  Proposed,
};

struct ProposalOutcome {
  ProposalStatus status = ProposalStatus::Failed;
  bool askedPrism = false;  // the prism question was put
  ResultView view;          // when Proposed
};

// Answers the prism question; gets the expected residual cylinder.
using PrismAnswer = std::function<bool(double residualCylinder)>;

struct ProposeOptions {
  bool checkSuitability = true;  // only a fresh eye is checked in any case
};

// The proposal of one eye with complete data: engine set-up, suitability check, Propose,
// prism question, prism value and result texts. Updates the eye's state as the page does.
ProposalOutcome ProposeEye(TKiroCalculate& engine, const EyeInput& in, EyeState& state,
                           const PrismAnswer& askPrism, char separator,
                           ProposeOptions options = {});

// Lens-type text after prism or diameter were changed in the result box.
std::string UpdateTypeTextForPrism(std::string typeText, double prism, double dg, bool prsShown);

// Order text of one eye as the copy button writes it, one entry a line.
std::vector<std::string> OrderLines(const std::string& eyePrefix, const ResultView& view);
std::string JoinLines(const std::vector<std::string>& lines);  // CR LF between lines

}  // namespace firstfit
