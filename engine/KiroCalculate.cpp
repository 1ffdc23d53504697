#include "engine/KiroCalculate.h"
