// Cost of one field check, as the validators call it once per field of every line.
#include "shell/CFuncGral.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void NumeroConDecimales(benchmark::State& state) {
    CFuncGral f;
    const std::string valor = "-12345.67";
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "N", "10", "2", ""));
}
BENCHMARK(NumeroConDecimales);

void NumeroEntero(benchmark::State& state) {
    CFuncGral f;
    const std::string valor = "20123456786";
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "N", "11", "0", ""));
}
BENCHMARK(NumeroEntero);

void TextoConExpresion(benchmark::State& state) {
    CFuncGral f;
    const std::string valor = "AB-1234";
    const std::string expresion = "^[A-Z]{2}-[0-9]{4}$";
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "7", "0", expresion));
}
BENCHMARK(TextoConExpresion);

// Two fields with different expressions in turn, as along a record.
void TextoDosExpresiones(benchmark::State& state) {
    CFuncGral f;
    const std::string valor = "AB-1234";
    const std::string e1 = "^[A-Z]{2}-[0-9]{4}$";
    const std::string e2 = "^[A-Z0-9-]{1,20}$";
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "7", "0", e1));
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "7", "0", e2));
    }
}
BENCHMARK(TextoDosExpresiones);

void ExpresionAnclada1000(benchmark::State& state) {
    CFuncGral f;
    const std::string valor(1000, 'x');
    const std::string expresion = "^[a-z ]{1,1000}$";
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "1000", "0", expresion));
}
BENCHMARK(ExpresionAnclada1000);

// A choice with an empty branch goes to PCRE2's interpreter, or when
// anchored to the JIT without its start-up optimisations; the same pattern
// written with "?" keeps the JIT as it is. A longest value
// that never matches, of a letter the pattern lacks (argument 0) or of the
// repeated one (1), and a short one (2).
void RamaVacia(benchmark::State& state, const std::string& expresion) {
    CFuncGral f;
    const std::string valor = state.range(0) == 2
                                  ? std::string("ccb")
                                  : std::string(32767, state.range(0) == 0 ? 'x' : 'c');
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "32767", "0", expresion));
}
BENCHMARK_CAPTURE(RamaVacia, ConRamaVacia, std::string("(?:b|)c*a"))->DenseRange(0, 2);
BENCHMARK_CAPTURE(RamaVacia, ConOpcional, std::string("(?:b)?c*a"))->DenseRange(0, 2);
BENCHMARK_CAPTURE(RamaVacia, AncladaConRamaVacia, std::string("^(?:b|)c*a"))->DenseRange(0, 2);
BENCHMARK_CAPTURE(RamaVacia, AncladaConOpcional, std::string("^(?:b)?c*a"))->DenseRange(0, 2);

void TotalSeparadorLinea(benchmark::State& state) {
    CFuncGral f;
    std::string linea = "01|";
    for (int i = 0; i < 20; ++i)
        linea += "valor" + std::to_string(i) + "|";
    for (auto _ : state)
        benchmark::DoNotOptimize(f.TotalSeparador(linea));
}
BENCHMARK(TotalSeparadorLinea);

} // namespace

BENCHMARK_MAIN();
