// TarvilExport.h: the visibility mark of the library's exported names.
//
// The library is built with every symbol hidden; what callers may link
// against carries TARVIL_API.
#ifndef TARVIL_EXPORT_H
#define TARVIL_EXPORT_H

#define TARVIL_API __attribute__((visibility("default")))

#endif
