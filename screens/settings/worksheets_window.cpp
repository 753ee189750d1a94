// The worksheets window.
#include "worksheets_window.h"
