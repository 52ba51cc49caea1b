/** @file main.cpp The vesk program. */
#include "app/Program.h"

int main() { return RunGame(); }
