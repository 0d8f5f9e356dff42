// The pictures of the text window's seven tool buttons (32 x 32), drawn at
// start-up: a page with the file it stands for ("CIR", "OUT", "CLC") and a
// blue arrow for loading it or a gear for computing it; a resistor with an
// arrow for loading the values into the circuit.
#pragma once

#include <QIcon>

QIcon TextWindowIcon(int tag);
