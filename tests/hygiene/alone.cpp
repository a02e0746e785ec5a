// <tarvil/tarvil.h> on its own, as the first and only include.
#include <tarvil/tarvil.h>

int main() { return tarvil::read("4k7", tarvil::Quantity::resistance) ? 0 : 1; }
