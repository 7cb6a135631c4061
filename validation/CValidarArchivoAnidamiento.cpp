// The stack of open record elements.
#include "validation/CValidarArchivo.h"

void CValidarArchivo::Desapilar(Pila& pila) {
    pila.pop_back();
}

void CValidarArchivo::Apilar(int tipo, Pila& pila) {
    pila.push_back(tipo);
}
