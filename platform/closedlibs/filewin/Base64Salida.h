#pragma once
// Base64 text (standard alphabet, "=" padding) written to a file as the bytes
// arrive, in pieces of any length: the text is the same as if all the bytes
// had been encoded at once. Writes go out in large blocks.
#include <cstddef>
#include <vector>

class Base64Salida {
public:
    explicit Base64Salida(int fd);
    Base64Salida(const Base64Salida&) = delete;
    Base64Salida& operator=(const Base64Salida&) = delete;

    // False once a write has failed.
    bool agregar(const unsigned char* datos, std::size_t n);
    // The last bytes with their padding, and everything written out.
    bool terminar();

private:
    void codificar(const unsigned char* datos, std::size_t grupos);
    bool vaciar();

    int fd_;
    std::vector<char> texto_;
    std::size_t usado_ = 0;
    unsigned char resto_[2] = {};
    std::size_t restoN_ = 0;
    bool ok_ = true;
};
