#include "platform/closedlibs/magic32/Magic32.h"

#include <cstdint>
#include <initializer_list>

namespace {

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial 0xFFFF, no reflection, no final xor.
std::uint16_t crcAdd(std::uint16_t crc, const char* text) {
    if (!text)
        return crc;
    for (const char* p = text; *p; ++p) {
        crc ^= static_cast<std::uint16_t>(static_cast<unsigned char>(*p) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
    }
    return crc;
}

} // namespace

extern "C" short Magic32Entrada2(const char* a, const char* b, const char* c, const char* d) {
    std::uint16_t crc = 0xFFFF;
    for (const char* text : {a, b, c, d})
        crc = crcAdd(crc, text);
    return static_cast<short>(crc);
}
