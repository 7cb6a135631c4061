#include "shell/CFuncGral.h"

#include "platform/closedlibs/Magic32Library.h"
#include "platform/regex/RegExp.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/Numbers.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

constexpr int kCabecera = 5;
constexpr int kRegistros = 6;

// The position just past the character at byteIndex, where a scan goes on
// looking. Positions are 16-bit: a character at 32,767 or later leaves no
// room for it (error 6).
rt::Int16 positionAfter(std::string_view text, std::size_t byteIndex) {
    return static_cast<long long>(rt::charLength(text.substr(0, byteIndex))) + 2;
}

bool contains(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

// Eight bytes at a time: after the xor a "|" is a zero byte, and exactly the
// zero bytes keep their top bit in the mask.
std::size_t countBars(std::string_view text) {
    constexpr std::uint64_t kBars = 0x7c7c7c7c7c7c7c7cULL, kLow = 0x7f7f7f7f7f7f7f7fULL;
    std::size_t total = 0, i = 0;
    for (std::uint64_t w; i + 8 <= text.size(); i += 8) {
        std::memcpy(&w, text.data() + i, 8);
        w ^= kBars;
        const std::uint64_t zeros = ~(((w & kLow) + kLow) | w | kLow);
        total += ((zeros >> 7) * 0x0101010101010101ULL) >> 56;
    }
    for (; i < text.size(); ++i)
        total += text[i] == '|';
    return total;
}

} // namespace

void CFuncGral::Join(const std::string& pXml, const std::string& pCabecera,
                     const std::string& pArchivo) {
    // Released on every way out, so a failed join does not leave them open
    // and make the next run fail with error 55.
    rt::FileCloser files{kRegistros, kCabecera};
    // A record file that is the header file itself would be appended to
    // itself without end.
    std::error_code ec;
    if (std::filesystem::equivalent(pXml, pCabecera, ec))
        rt::raise(rt::err::PathFileAccess);
    rt::Open(pCabecera, rt::OpenMode::Append, kCabecera);
    rt::Open(pXml, rt::OpenMode::Input, kRegistros);
    while (!rt::Eof(kRegistros)) {
        ui::DoEvents();
        rt::PrintLine(kCabecera, rt::LineInput(kRegistros));
    }
    files.close();
    rt::deleteFile(rt::tempPath(pArchivo));
}

std::string CFuncGral::GenerarNroMagico(const std::string& pCuit, const rt::DateTime& pfechaHora) {
    const std::string ceros(15, '0');
    int r = closedlibs::Magic32Library::instance().Entrada2("0000" + pCuit, ceros, ceros,
                                                            "0" + pfechaHora.compact());
    if (r < 0)
        r += 65536;
    char texto[8];
    std::snprintf(texto, sizeof texto, "%06d", r);
    return texto;
}

std::string CFuncGral::NombreArchivoFinal(std::string& pNombreArchivoSalida) {
    // Only the file's own name is searched: a ".b64" in a folder of the
    // temporary path is no mark of the encrypted file.
    const std::size_t ultimaBarra = pNombreArchivoSalida.rfind('/');
    const std::size_t found =
        pNombreArchivoSalida.find(".b64", ultimaBarra == std::string::npos ? 0 : ultimaBarra + 1);
    const std::size_t k =
        found == std::string::npos
            ? 0
            : rt::charLength(std::string_view(pNombreArchivoSalida).substr(0, found)) + 1;
    // ".b64" and the one character after it.
    pNombreArchivoSalida = rt::left(pNombreArchivoSalida, k + 4);
    const std::size_t barra = pNombreArchivoSalida.rfind('/');
    const rt::Int16 inicio =
        barra == std::string::npos ? rt::Int16(1) : positionAfter(pNombreArchivoSalida, barra);
    return rt::mid(pNombreArchivoSalida, static_cast<std::size_t>(inicio.value()),
                   pNombreArchivoSalida.size());
}

std::int16_t CFuncGral::TotalSeparador(std::string_view pCadena) {
    const std::size_t ultima = pCadena.rfind('|');
    if (ultima == std::string_view::npos)
        return 0;
    // Only the last "|" can be the first to overflow, and only when it lies
    // that far in bytes: characters never outnumber bytes.
    if (ultima + 1 >= 32767)
        positionAfter(pCadena, ultima);
    return static_cast<std::int16_t>(countBars(pCadena.substr(0, ultima + 1)));
}

bool CFuncGral::ValidoValor(std::string_view pValor, std::string_view pTipo,
                            std::string_view pLongitud, std::string_view pDecimales,
                            std::string_view pExpresionRegular) {
    return ValidoValorLeido(pValor, pTipo, rt::Val(pLongitud), rt::Val(pDecimales),
                            pExpresionRegular);
}

bool CFuncGral::ValidoValorLeido(std::string_view pValor, std::string_view pTipo, double longitud,
                                 double decimales, std::string_view pExpresionRegular) {
    // A non-empty expression decides alone; the rules below have no effects.
    if (!pExpresionRegular.empty())
        return rx::RegExp::Test(pExpresionRegular, pValor);
    if (pTipo == "N") {
        if (decimales != 0)
            return rt::IsNumeric(pValor) && !ExcedeParteEntera(pValor, longitud - decimales) &&
                   !ExcedeParteDecimal(pValor, decimales);
        return rt::IsNumeric(pValor) && static_cast<double>(rt::charLength(pValor)) <= longitud &&
               !contains(pValor, '.') && !contains(pValor, ',');
    }
    // Characters never outnumber bytes: a value short enough in bytes needs no count.
    if (pTipo == "C")
        return static_cast<double>(pValor.size()) <= longitud ||
               static_cast<double>(rt::charLength(pValor)) <= longitud;
    return true;
}

bool CFuncGral::ExcedeParteEntera(std::string_view valor, double maximo) {
    const std::string_view entera = valor.substr(0, valor.find('.'));
    // With more decimals than length nothing may stand before the ".", and
    // nothing is all a value like ".5" has there.
    return !entera.empty() && static_cast<double>(rt::charLength(entera)) > maximo;
}

bool CFuncGral::ExcedeParteDecimal(std::string_view valor, double maximo) {
    const std::size_t punto = valor.find('.');
    if (punto == std::string_view::npos)
        return false;
    return static_cast<double>(rt::charLength(valor.substr(punto + 1))) > maximo;
}
