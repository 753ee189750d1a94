// Tests of the worksheets window.
#include <gtest/gtest.h>
