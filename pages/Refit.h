#pragma once
// Workflow of the prescription-lens (refit) page, free of widgets: the field table, the
// lists, what a trial-lens type shows, the checks made when a field is left, the
// over-refraction at vertex distance 0, the calculation of one eye with the refit engine,
// the result texts and the order text of the copy button. The page widget reads its
// fields and lists, calls these and shows what comes back.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/OrvekValue.h"
#include "engine/CalculationTORIC.h"

namespace pages::refit {

// Value of a field that holds nothing (an empty or unreadable field reads as it).
inline constexpr double kNoValue = -99.0;

// Numeric fields of one eye; names without the eye prefix "RA"/"LA".
// name, digits, step, min, max, default, display name, text after reset
inline constexpr orvek::FieldSpec kRfl{"EditRefitRfl", 2, 0.05, 5, 20, kNoValue, "Messlinse R0 flach", ""};
inline constexpr orvek::FieldSpec kRst{"EditRefitRst", 2, 0.05, 5, 20, kNoValue, "Messlinse R0 steil", ""};
inline constexpr orvek::FieldSpec kDptfl{"EditRefitDptfl", 2, 0.25, -30, 30, kNoValue, "Messlinse F´ flach", ""};
inline constexpr orvek::FieldSpec kDptst{"EditRefitDptst", 2, 0.25, -30, 30, kNoValue, "Messlinse F´ steil", ""};
inline constexpr orvek::FieldSpec kA{"EditRefitA", 0, 1, -100, 179, kNoValue, "Messlinse Achse", ""};
inline constexpr orvek::FieldSpec kSph{"EditRefitSph", 2, 0.25, -30, 30, kNoValue, "Überrefraktion Sph.", ""};
inline constexpr orvek::FieldSpec kCyl{"EditRefitCyl", 2, 0.25, -15, 15, kNoValue, "Überrefraktion Zyl.", "0"};
inline constexpr orvek::FieldSpec kAxis{"EditRefitAxis", 0, 1, -100, 179, kNoValue, "Überrefraktion Achse", "0"};
inline constexpr orvek::FieldSpec kHSA{"EditRefitHSA", 0, 1, 5, 25, kNoValue, "Überrefraktion HSA", ""};
inline constexpr orvek::FieldSpec kStab{"EditRefitStab", 0, 1, -100, 179, kNoValue, "Stab. (Rotation der Messlinse)", "0"};
inline constexpr orvek::FieldSpec kSph0{"EditRefitSph0", 2, 0.25, -30, 30, kNoValue, "Sph. bei HSA 0", ""};
inline constexpr orvek::FieldSpec kCyl0{"EditRefitCyl0", 2, 0.25, -15, 15, kNoValue, "Zyl. bei HSA 0", ""};
inline constexpr orvek::FieldSpec kHSA0{"EditRefitHSA0", 0, 1, 5, 25, kNoValue, "HSA 0", "0"};
inline constexpr orvek::FieldSpec kRflRZ{"EditRflRZ", 2, 0.05, 5, 20, kNoValue, "Rezeptlinse R0 flach", ""};
inline constexpr orvek::FieldSpec kRstRZ{"EditRstRZ", 2, 0.05, 5, 20, kNoValue, "Rezeptlinse R0 steil", ""};
inline constexpr orvek::FieldSpec kDGRZ{"EditDGRZ", 1, 0.1, 5, 20, kNoValue, "Rezeptlinse Durchmesser", "9,6"};

inline constexpr std::array<const orvek::FieldSpec*, 16> kFields{
    &kRfl, &kRst, &kDptfl, &kDptst, &kA, &kSph, &kCyl, &kAxis,
    &kHSA, &kStab, &kSph0, &kCyl0, &kHSA0, &kRflRZ, &kRstRZ, &kDGRZ};

// Lists and their prompts.
inline constexpr std::string_view kTrialTypePrompt = "Bitte Messlinsentyp wählen...";
inline constexpr std::string_view kTrialMaterialPrompt = "Bitte Messlinsenmaterial wählen...";
inline constexpr std::string_view kFinalMaterialPrompt = "Bitte Material der Rezeptlinse wählen...";
inline constexpr std::array<std::string_view, 5> kTrialTypeItems{
    "RT - Rücktorisch", "BT/BTC - Bitorisch", "BTX - Bitorisch schiefgekreuzt",
    "VPT - Vorderprismatisch torisch", "SPH - Sphärisch"};
inline constexpr std::array<std::string_view, 5> kFinalMaterialItems{
    "Boston-EQ-UV", "Boston-ES2-UV", "Boston-ES-UV", "Boston-XO2-UV", "Pa-HDS-UV"};
// Trial materials of an eye (the two eyes spell the last one differently); the page's
// list shows them sorted.
std::vector<std::string_view> TrialMaterialItems(bool rightEye);

// Whether a material list counts as chosen: it has a selection or its text is one of its items.
bool MaterialChosen(std::string_view text, const std::vector<std::string_view>& items,
                    bool hasSelection);

// Trial type by the position of the list's text among the items (for the field checks):
// RT, BT, BTX, VPT, SPH; sNone for any other text.
TContactLensTypes ContactLensType(std::string_view trialTypeText);
// Trial type for the calculation, by the codes the text contains (the five items give
// sRT, sBTC, sBTX, sVPT and sSPH); sNone when none is found.
TContactLensTypes GetLensType(std::string_view trialTypeText);
// Refractive index of a material list's text.
double GetRefractionIndex(std::string_view materialText);

// What choosing a trial type shows: the visibility of the optional trial fields (with
// their labels) and the captions that change. Empty for no selection.
struct LabelCaption {
  std::string_view label;  // base name, e.g. "LabRefitdptfl1"
  std::string_view caption;
};
struct TrialTypeLayout {
  bool rstVisible = false;    // EditRefitRst, LabRefitRst1, LabRefitRst2
  bool dptstVisible = false;  // EditRefitDptst, LabRefitdptst1, LabRefitdptst2
  bool aVisible = false;      // EditRefitA, LabRefitA
  std::vector<LabelCaption> captions;
};
std::optional<TrialTypeLayout> TrialTypeSelected(int itemIndex);

// Which trial field was left (compared by its exact base name); Other for any other field.
enum class LeftField { Other, TrialRfl, TrialRst, TrialDptfl, TrialDptst };
LeftField LeftFieldOf(std::string_view baseName);

// The checks made when a trial field is left, with the values as read (kNoValue for an
// empty field). A non-empty message is shown as an error; the focus goes back to the field
// and the leave handling ends. showFinalSteep: the radius check passed, so the final steep
// radius is shown and "R0 steil setzen" checked.
struct LeaveCheck {
  std::string message;
  bool showFinalSteep = false;
};
LeaveCheck CheckTrialField(TContactLensTypes trialType, LeftField left, double rfl, double rst,
                           double dptfl, double dptst);

// Prefilling the final radii from a trial radius that was left. Texts use the separator.
struct Prefill {
  std::optional<std::string> rflRZ;  // new text of EditRflRZ
  std::optional<std::string> rstRZ;  // new text of EditRstRZ
  bool showPanel = false;            // show PanelRadius
};
Prefill PrefillFinalRadii(LeftField left, double value, bool trialRstVisible, char separator);

// Whether sphere, cylinder, axis and vertex distance of the over-refraction hold values.
bool OverRefractionComplete(double sph, double cyl, double axis, double hsa);
// Sphere and cylinder at vertex distance 0 as EditRefitSph0/EditRefitCyl0 show them; empty
// when the conversion fails (the page then reports a calculation error).
struct HsaZeroTexts {
  std::string sph0;
  std::string cyl0;
};
std::optional<HsaZeroTexts> OverRefractionAtZero(const TCalculationToric& engine, double sph,
                                                 double cyl, double axis, double hsa,
                                                 char separator);

// A numeric field of the page as CalculateRefitLens reads it.
struct RefitField {
  double value = kNoValue;  // as read; kNoValue when empty
  bool visible = true;      // the control's own visibility
};

// Everything of one eye that the calculation reads.
struct RefitInputs {
  bool rightEye = true;
  std::string trialTypeText;
  std::string trialMaterialText;
  bool trialMaterialChosen = false;
  std::string finalMaterialText;
  bool finalMaterialChosen = false;
  RefitField rfl, rst, dptfl, dptst, a;  // trial lens
  RefitField sph, cyl, axis, hsa, stab;  // over-refraction
  RefitField rflRZ, rstRZ, dgRZ;         // final lens
};

// What the result group of an eye shows.
struct RefitDisplay {
  std::string typeCode;      // EditFinalCLTyp
  std::string designText;    // LabelFinalType
  std::string geometryLine;  // LabelFinalParams
  std::string powerLine;     // LabelFinalParams1
  std::string material;      // EditFinalMat
};

// The result texts of a computed final lens; dg is the diameter field's value.
RefitDisplay ShowResults(const TContactLensParams& finalLens, double dg,
                         std::string_view finalMaterialText, char separator);

inline constexpr std::string_view kMsgTrialRadiiClose = "R0 flach - R0 steil <0.2mm";
inline constexpr std::string_view kMsgEngineFailed =
    "FEHLER>>> Berechnung der Rezeptlinse fehlgeschlagen!...";
inline constexpr std::string_view kMsgCalculationError = "Fehler beim Rechnen!...";

struct RefitResult {
  enum class Outcome {
    Incomplete,          // data incomplete: nothing happens, no message
    TrialRadiiTooClose,  // message shown, focus to the final steep radius if visible
    EngineFailed,        // message shown, the result group keeps what it showed
    Shown,               // display filled
    Unexpected,          // result -1: beep and kMsgCalculationError
  };
  int result = 0;  // what CalculateRefitLens returns: 0, or -1 for an unexpected failure
  Outcome outcome = Outcome::Incomplete;
  std::string message;      // error box text, empty when none
  bool focusFinalSteep = false;
  int engineResult = 0;     // Calculate's result when it ran
  bool btxAsked = false;    // the engine asked its BTX question
  RefitDisplay display;     // when Shown
};

// Calculates one eye's final lens. The BTX question goes to answer; without one, to the
// callback already set on the engine (and with none there, the computed axis is kept).
RefitResult CalculateRefitLens(TCalculationToric& engine, const RefitInputs& in, char separator,
                               const TBtxAnswer& answer = {});

// Lines the copy button writes: "RA:"/"LA:", type code, material, the two result lines and
// "Mit Rückgabe"/"Ohne Rückgabe".
std::vector<std::string> OrderLines(bool rightEye, const RefitDisplay& display, bool withReturn);
// The lines joined by line breaks (no break after the last one).
std::string OrderText(bool rightEye, const RefitDisplay& display, bool withReturn);

// Name of a lens type as the engine spells it ("sBTC").
std::string_view LensTypeName(TContactLensTypes type);

}  // namespace pages::refit
