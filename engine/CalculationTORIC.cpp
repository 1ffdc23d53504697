#include "engine/CalculationTORIC.h"

TCalculationToric::TCalculationToric() = default;

void TCalculationToric::InitObj() {}

int TCalculationToric::Calculate() { return 0; }

void TCalculationToric::Transform2MinusCylinder(TRefraction&) const {}

TRefraction TCalculationToric::CalculateHSA0(const TRefraction& param) const { return param; }

bool TCalculationToric::IsBTC(const TContactLensParams&) const { return false; }

double TCalculationToric::FormatDPT(double value) const { return value; }

std::string BtxQuestionText(const TBtxQuestion&, char) { return {}; }
