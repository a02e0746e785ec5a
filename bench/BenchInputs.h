// BenchInputs.h: the inputs of the benchmarks, made from a fixed seed so
// that every run measures the same texts and values.
//
// Every library input comes with the plain text of the same number, which
// the baselines read.
#ifndef TARVIL_BENCHINPUTS_H
#define TARVIL_BENCHINPUTS_H

#include <string>
#include <vector>

#include "CTarvil.h"

namespace tarvil::bench {

// A value written in one of the notations, and the same number written
// plainly ('4k7' and '4700').
struct NotationText {
  eOrvantaNotations notation;
  eUnitTypes unit;
  std::string text;
  std::string plain;
  double value;
};

// MakeNotationTexts: `count` values as users type them: SI, SPICE, European
// and Engineering in turn; one to four significant digits; with and without
// a prefix; some negative, some with a "+".
std::vector<NotationText> MakeNotationTexts(int count);

// MakeSpiceTexts: `count` values as netlists hold them: a prefix in either
// case ('4.7u', '10MEG', '100n') or an exponent ('1e-9'), some bare.
std::vector<NotationText> MakeSpiceTexts(int count);

// MakeBomResistances: `count` resistances as bills of materials hold them:
// '4k7', '4R7', '470R', '1MEG', '2.2k', '10 kohm'.
std::vector<NotationText> MakeBomResistances(int count);

// A measure text and the number parts of it, written plainly.
struct MeasureText {
  std::string text;
  std::vector<std::string> numbers;
};

// '25.4 mm'-like lengths in inches, millimetres, microns and mils.
std::vector<MeasureText> MakeLengthTexts(int count);
// '12.5ns'-like times.
std::vector<MeasureText> MakeTimeTexts(int count);
// Angles of two or three parts: '10deg 30'' and '45deg 15' 30"'.
std::vector<MeasureText> MakeAngleTexts(int count);

// MakeDesignators: `count` designator names ('R1' ... 'U999A') in shuffled
// order.
std::vector<std::string> MakeDesignators(int count);

}  // namespace tarvil::bench

#endif
