// TALVO: one engine run in the current directory (see RunDriver.h).
#include "RunDriver.h"

int main() { return talvo::RunEngine(); }
