#include "pages/FirstFit.h"
