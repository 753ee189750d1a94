// The settings window.
#include "settings_window.h"
