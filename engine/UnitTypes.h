// UnitTypes.h: the kinds of measure the library names across its interface.
#ifndef TARVIL_UNITTYPES_H
#define TARVIL_UNITTYPES_H

enum eUnitTypes : int {
  eAmps = 0,        // current, "A"
  eDegrees = 1,     // angle, "deg"
  eFarads = 2,      // capacitance, "F"
  eHenrys = 3,      // inductance, "H"
  eNanometers = 4,  // length, "nm"
  eOhms = 5,        // resistance, "ohms" ("R" in European notation)
  eWatts = 6,       // power, "W"
  eSeconds = 7,     // time, "s"
  eVolts = 8,       // voltage, "V"
  eMps = 9,         // propagation velocity, "m/s"
  eNoUnit = 10      // plain number, " "
};

#endif
