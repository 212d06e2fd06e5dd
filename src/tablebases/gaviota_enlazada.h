// The Gaviota probing code compiled into the engine, for systems where no library can be
// counted on (the Windows build, VEMSUL_GAVIOTA_ENLAZADA): the loader "opens" it and finds
// its operations by name here, as it would in a loaded library, so that the record, the
// report and the probes stay the same.
#pragma once

void* AbrirGaviotaEnlazada(const char* nombre);                   // never null
void* OperacionGaviotaEnlazada(void* biblioteca, const char* nombre);  // null if unknown
bool CerrarGaviotaEnlazada(void* biblioteca);                     // always succeeds
