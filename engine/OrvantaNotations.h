// OrvantaNotations.h: the notations in which values with units are written.
#ifndef TARVIL_ORVANTANOTATIONS_H
#define TARVIL_ORVANTANOTATIONS_H

enum eOrvantaNotations : int {
  eEngineering = 0,     // '4.7E3'
  eEuropean = 1,        // '4k7': the prefix stands in place of the decimal symbol
  eScientific = 2,      // '4.7E3', one integer digit
  eSI = 3,              // '4.7k'; the default active notation
  eSPICE = 4,           // '4.7K', '1MEG'
  eFullPrecision = 5,   // fixed point with as many decimals as the value needs
  eDecimal = 6,         // plain decimal in the regional format
  eCurrentNotation = 7  // to SetNotation: keep the active notation
};

#endif
