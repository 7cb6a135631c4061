#pragma once
// The control-number library: one plain C entry taking four NUL-terminated
// texts and returning a 16-bit number. A site may replace libMagic32.so with
// its own build of this entry without rebuilding the program.
#ifdef __cplusplus
extern "C" {
#endif

#define MAGIC32_ENTRADA2 "Magic32Entrada2"

// CRC-16/CCITT-FALSE over the four texts in order, as a signed 16-bit number.
__attribute__((visibility("default"))) short Magic32Entrada2(const char* a, const char* b,
                                                             const char* c, const char* d);

#ifdef __cplusplus
}
#endif
