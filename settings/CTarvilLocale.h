// CTarvilLocale.h: the regional number settings and the notation settings
// shared by every string of the process (CTarvil::s_Locale).
//
// Read from the current user's registry: "Control Panel\International" for
// the regional symbols, "Software\Orvanta\Orvanta Notation" for the notation
// settings (created with its defaults when absent). Filled by
// CTarvil::SetLocale() on first use; changed in memory by the precision
// setters of CTarvil and never written back.
#ifndef TARVIL_CTARVILLOCALE_H
#define TARVIL_CTARVILLOCALE_H

#include "OrvantaNotations.h"
#include "TarvilExport.h"

class TARVIL_API CTarvilLocale {
 public:
  // Loaded flag 0; the other fields hold the defaults until the first read.
  CTarvilLocale() = default;

  // ReadRegional: reads the five regional values of "Control Panel\International"
  // (defaults for whatever is missing, too long for its buffer, of the wrong
  // type, or an empty symbol), keeps the two symbols apart, then runs
  // ReadNotation and sets the loaded flag to 1.
  void ReadRegional();

  // ReadNotation: reads the ten notation values, creating the key with its
  // defaults when absent; a value that is missing or not a 4-byte REG_DWORD
  // takes its default, and so do all when the key can neither be opened nor
  // created. Does not touch the loaded flag.
  void ReadNotation();

  // ReadWithoutWriting: ReadRegional's values, but a missing notation key is
  // not created (its defaults apply) and the loaded flag is left alone.
  void ReadWithoutWriting();

  // GetPrecision: the configured decimals of `notation`: eEngineering,
  // eEuropean, eScientific, eSI and eSPICE have their own; every other
  // value gives the regional digits count.
  int GetPrecision(eOrvantaNotations notation) const;

  // Fields, in their fixed order.
  int m_nLoaded = 0;                // 0 until the settings were read
  char m_cDecimal = '.';            // decimal symbol
  int m_nDigits = 3;                // regional decimals; eDecimal's precision
  char m_cThousand = ',';           // digit-grouping symbol
  int m_nGrouping = 3;              // digits per group; 0 or less: none
  int m_nEngPrecision = 4;          // "Engineering", 0..9
  int m_nEuroPrecision = 4;         // "European", 0..9
  int m_nSciPrecision = 4;          // "Scientific", 0..9
  int m_nSPICEPrecision = 4;        // "SPICE", 0..9
  int m_nSIPrecision = 4;           // "SI", 0..9
  int m_nAnglePrecision = 3;        // "Angle", 0..4
  int m_nTimePrecision = 2;         // "Time", 0..3
  int m_nPercentPrecision = 2;      // "Percentage", 0..3
  int m_nSuppressTrailingZeros = 1; // "SuppressTrailingZeros": 1 only when exactly 1
  int m_nLeadingZero = 1;           // 1: '0.5'; 0: '.5'
  eOrvantaNotations m_eActiveNotation = eSI;  // "ActiveNotation"

 private:
  // The five regional values of "Control Panel\International".
  void ReadRegionalSymbols();
};

#endif
