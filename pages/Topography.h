#pragma once
// Workflow of the topography page, free of widgets: the field table, the central and
// sagittal groups written into the eye's cornea model, the meridional eccentricities, the
// direction labels and the mean eccentricity. The page widget reads its fields (an empty
// field reads as kNoValue), calls these, shows the texts and draws the radius diagram.

#include <array>
#include <optional>
#include <string>

#include "controls/OrvekValue.h"
#include "engine/CorneaObject.h"

namespace pages::topo {

inline constexpr double kNoValue = -99.0;

// Input fields of one eye; names without the eye prefix "RA"/"LA".
inline constexpr orvek::FieldSpec kRfl{"EditRfl", 2, 0.01, 5, 20, kNoValue, "Topometrie Radius flach", ""};
inline constexpr orvek::FieldSpec kAflm{"EditAflm", 0, 1, -100, 180, kNoValue, "Topometrie Achse flach", "0"};
inline constexpr orvek::FieldSpec kRst{"EditRst", 2, 0.01, 5, 20, kNoValue, "Topometrie Radius steil", ""};
inline constexpr orvek::FieldSpec kRs1{"EditRs1", 2, 0.01, 5, 20, kNoValue, "Sagittalradius 1", ""};
inline constexpr orvek::FieldSpec kRs2{"EditRs2", 2, 0.01, 5, 20, kNoValue, "Sagittalradius 2", ""};
inline constexpr orvek::FieldSpec kRs3{"EditRs3", 2, 0.01, 5, 20, kNoValue, "Sagittalradius 3", ""};
inline constexpr orvek::FieldSpec kRs4{"EditRs4", 2, 0.01, 5, 20, kNoValue, "Sagittalradius 4", ""};
inline constexpr orvek::FieldSpec kMw{"EditMw", 0, 1, 15, 35, kNoValue, "Messwinkel", "30"};
// Display only: the axis of the steep meridian.
inline constexpr orvek::FieldSpec kAxis1{"EditAxis1", 0, 1, -1000, 1000, kNoValue, "Achse steil", "90"};

inline constexpr std::array<const orvek::FieldSpec*, 8> kInputFields{
    &kRfl, &kAflm, &kRst, &kRs1, &kRs2, &kRs3, &kRs4, &kMw};

// The values of one eye's input fields as read.
struct TopoEye {
  double rfl = kNoValue;
  double aflm = kNoValue;
  double rst = kNoValue;
  std::array<double, 4> rs{kNoValue, kNoValue, kNoValue, kNoValue};
  double mw = kNoValue;
};

// Texts of the central group, shown once radii, axis and angle hold values.
struct CentralTexts {
  std::string axis1;                // EditAxis1: axis + 90
  std::string toriCentr;            // EditToriCentr
  std::string hhAstigCentr;         // EditHHAstigCentr
  std::array<std::string, 4> labels;  // Label1..4 and LabelExz1..4
};

// The central group: when flat and steep radius, axis and angle hold values, they go into
// the cornea model and the texts come back (the page also draws the diagram). Otherwise
// nothing changes and the result is empty.
std::optional<CentralTexts> SetR0Values(TCornea& cornea, const TopoEye& eye, char separator);
// The sagittal group: when all four hold values they go into the cornea model and the
// peripheral toricity text comes back; otherwise empty.
std::optional<std::string> SetRsValues(TCornea& cornea, const TopoEye& eye, char separator);

// Whether the flat-meridian axis lies horizontally (radii 1 and 3 then lie horizontally).
bool IsHorizontal(double aflm);
// Meridional eccentricity of a sagittal radius, with two decimals; empty when a field
// lacks its value or the value cannot be computed.
std::string CalculateExz(double r0, double r0st, double rs, double aflm, double mw,
                         bool horicontal, char separator);
// EditE1..EditE4 of an eye.
std::array<std::string, 4> MeridionalEccentricities(const TopoEye& eye, char separator);

// Direction texts of the four sagittal radii: axis, +90, +180, +270 with "°", 360 taken
// off whenever a sum exceeds 360.
std::array<std::string, 4> SetLabels(int axis);

// The mean eccentricity text once both groups are complete, else empty (the field keeps
// its text and the transfer button stays hidden).
std::optional<std::string> SetAvgExz(const TCornea& cornea, bool centralOk, bool sagittalOk,
                                     char separator);

// One run of the page's leave handling for the eye of the field that was left.
struct TopoEyeResult {
  std::optional<CentralTexts> central;  // empty: the group's outputs keep their texts
  std::optional<std::string> toriPeri;  // empty: EditToriPeri keeps its text
  std::array<std::string, 4> eccentricities;
  std::optional<std::string> em;        // empty: EditEm keeps its text
  bool showTransfer = false;
};
TopoEyeResult UpdateEye(TCornea& cornea, const TopoEye& eye, char separator);

}  // namespace pages::topo
