#include "engine/CorneaObject.h"

double TCornea::CentralAstig() const { return 0.0; }
double TCornea::HHAstig() const { return 0.0; }
double TCornea::PeripherAstig() const { return 0.0; }
double TCornea::epsMittel() const { return 0.0; }
double TCornea::Rk1() const { return fRS1; }
double TCornea::Rk2() const { return fRS2; }
double TCornea::Rk3() const { return fRS3; }
double TCornea::Rk4() const { return fRS4; }
double TCornea::RSM() const { return 0.0; }
double TCornea::Exzentricity(double, double, double) { return 0.0; }
double TCornea::GewRadius(double, double) { return 0.0; }
