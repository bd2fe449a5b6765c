#include "tests/support/WidgetTests.h"

int main(int argc, char** argv) { return soruberia::testsupport::RunWidgetTests(argc, argv); }
