// example.cpp: reads a value the way a dialog would and shows the message
// the library gives for a refused one.
#include <tarvil/CTarvil.h>

#include <cstdio>

int main(int argc, char** argv) {
  const char* text = argc > 1 ? argv[1] : "12a4";
  CTarvil value(text);
  int number = 0;
  if (value.GetInteger(&number) == S_OK) {
    std::printf("%s is the integer %d\n", text, number);
    return 0;
  }
  std::printf("%s\n", static_cast<const char*>(value.GetErrorMessage()));
  return 1;
}
