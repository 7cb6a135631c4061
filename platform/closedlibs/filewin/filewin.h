#pragma once
// The encryption library: one plain C entry. It encrypts the file at archivo
// for the receiving office and writes the result as a new file whose path,
// containing ".b64", it puts into archivoEncriptado; on failure it puts a text
// for the user into mensajeError. Both buffers are the caller's, with their
// sizes; texts are NUL-terminated UTF-8 and cut to fit. Returns 0 for success.
// A site may replace libfilewin.so with its own build of this entry without
// rebuilding the program.
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FILEWIN_ENTRADA "filewin"

__attribute__((visibility("default"))) int16_t filewin(const char* archivo, char* archivoEncriptado,
                                                       size_t tamArchivoEncriptado,
                                                       char* mensajeError, size_t tamMensajeError);

#ifdef __cplusplus
}
#endif
