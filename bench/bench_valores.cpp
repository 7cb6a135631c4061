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

// A value the expression refuses: the miss is confirmed by a second search.
void TextoConExpresionFalla(benchmark::State& state) {
    CFuncGral f;
    const std::string valor = "AB-12X4";
    const std::string expresion = "^[A-Z]{2}-[0-9]{4}$";
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "7", "0", expresion));
}
BENCHMARK(TextoConExpresionFalla);

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

// A choice with an empty branch, where PCRE2 10.42's JIT can miss, and the
// same pattern written with "?", which it answers right. A longest value
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

// The dearest misses found on a longest value: each start position, or the
// one of an anchored pattern, takes the whole value before failing, once on
// the JIT and again where the miss is confirmed (by the interpreter, or
// without start-up optimisations). A miss ends the run, so it is paid once
// per run.
void FalloLargo(benchmark::State& state, const std::string& expresion, const std::string& fin) {
    CFuncGral f;
    std::string valor;
    while (valor.size() + fin.size() < 32767)
        valor += valor.size() % 2 ? "b" : "a";
    valor += fin;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "32767", "0", expresion));
}
BENCHMARK_CAPTURE(FalloLargo, ClaseYDosLetras, std::string("[ab]*ca"), std::string("c"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FalloLargo, RamaLargaPrimero, std::string("(?:ab|a)[ab]*c"), std::string("a"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FalloLargo, AncladaDosClases, std::string("^[ab]*[ab]*c"), std::string("dc"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FalloLargo, TrasLookahead, std::string("(?=a)(?:a|ab)*c$"), std::string("a"))
    ->Unit(benchmark::kMillisecond);

// Long misses of a value made of one piece repeated: one where the required
// character is missing, so the miss is known at once, and one where no
// start position can be skipped, where a JIT confirms many times faster
// than the interpreter.
void FalloRepetido(benchmark::State& state, const std::string& expresion, const std::string& pieza,
                   const std::string& fin) {
    CFuncGral f;
    const std::size_t largo = static_cast<std::size_t>(state.range(0));
    std::string valor;
    while (valor.size() + fin.size() < largo)
        valor += pieza[valor.size() % pieza.size()];
    valor += fin;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.ValidoValor(valor, "C", "32767", "0", expresion));
}
BENCHMARK_CAPTURE(FalloRepetido, SinRequerida, std::string("c*c*a"), std::string("c"),
                  std::string(""))
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    FalloRepetido, SinSaltos,
    std::string("(?:((.[^a]{1,3})+?([ab]|.)|c*?)(\\w){1,3}|.{1,}?)(([ab](.c|\\w)|()))[ab]$"),
    std::string("aab"), std::string("c"))
    ->Arg(13184)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);

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
