#pragma once
// The lines of a file as ranges of its bytes, read in blocks, so that a line
// of any length is never held whole. A line ends at CR LF or at a lone CR; a
// lone LF stays inside the line; the line end is not part of the line.
// Given a stop token, a reading asked to stop ends at its next block.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <limits>
#include <stop_token>
#include <string>
#include <string_view>

class LineasEnBloques {
public:
    struct Linea {
        std::uint64_t inicio = 0;
        std::uint64_t fin = 0; // just past the line's last byte
        std::uint64_t Largo() const { return fin - inicio; }
    };

    // Thrown by the read of a block once a stop was asked for.
    struct Detenida : std::exception {
        const char* what() const noexcept override { return "lectura detenida"; }
    };

    // Opens the file for reading; failing, the run-time error of an open
    // for input.
    explicit LineasEnBloques(const std::string& ruta, std::stop_token detener = {});
    ~LineasEnBloques();
    LineasEnBloques(const LineasEnBloques&) = delete;
    LineasEnBloques& operator=(const LineasEnBloques&) = delete;

    // The next line; false at the end of the file. A line that is not all
    // blanks is read no further than just past largoMaximo bytes: its length
    // then says it is longer, and no line after it is read.
    bool Siguiente(Linea& linea,
                   std::uint64_t largoMaximo = std::numeric_limits<std::uint64_t>::max());
    // The bytes from desde on, at most maximo of them and none from hasta on;
    // empty at the end of the file. Valid until the next call.
    std::string_view Leer(std::uint64_t desde, std::uint64_t hasta, std::size_t maximo);

    // Hands the line's bytes to trozo in order, at most maximo at a time,
    // while it returns true; false when trozo stopped it.
    template <class F> bool Recorrer(const Linea& linea, std::size_t maximo, F&& trozo) {
        for (std::uint64_t pos = linea.inicio; pos < linea.fin;) {
            const std::string_view bytes = Leer(pos, linea.fin, maximo);
            if (bytes.empty())
                break; // the file was cut short meanwhile
            if (!trozo(bytes))
                return false;
            pos += bytes.size();
        }
        return true;
    }

    static constexpr std::size_t kBloque = std::size_t{1} << 16;

private:
    // The bytes held from desde on, reading a block there when desde is not
    // held.
    std::string_view Bloque(std::uint64_t desde);

    int fd_;
    std::stop_token detener_;
    bool cortada_ = false;
    std::string buf_;
    std::uint64_t bufInicio_ = 0;
    std::size_t bufLargo_ = 0;
    std::uint64_t siguiente_ = 0;
};
