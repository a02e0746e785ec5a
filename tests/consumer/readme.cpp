#include <tarvil/tarvil.h>
#include <cstdio>
int main() { std::printf("%g\n", tarvil::read("4k7", tarvil::Quantity::resistance).value); }
