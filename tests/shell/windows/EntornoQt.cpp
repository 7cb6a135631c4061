// One QApplication for this test program.
#include "tests/support/EntornoQt.h"
