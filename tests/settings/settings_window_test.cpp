// Tests of the settings window.
#include <gtest/gtest.h>
