// Reading, validating and writing an XML file of 200 000 elements: a piece of music with its
// notes, the largest kind of file the program keeps.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "xml/xml_document.h"

namespace {

using namespace kalvora;

// Every fourth note has neither an alteration nor a dot: 19 elements per four notes, so that
// with the root and Version the file holds 200 001 elements.
constexpr int notes = 42105;

const TDTDItem& MusicGrammar() {
    using namespace dtd;
    static const TDTDNode grammar =
        Element("Music", Text("Version"),
                ZeroOrMore(Element("Note", Text("Position"), Text("Length"), Text("Height"),
                                   Optional(Choice(Empty("Kruis"), Empty("Mol"))),
                                   Optional(Empty("Dot")))));
    return *grammar;
}

std::unique_ptr<TXMLComplexElement> MusicTree() {
    auto root = std::make_unique<TXMLComplexElement>("Music");
    root->AddText("Version", "7.1");
    for (int i = 0; i < notes; ++i) {
        TXMLComplexElement& note = root->AddElement("Note");
        note.AddText("Position", std::to_string(i / 4) + "." + std::to_string(i % 4 * 25));
        note.AddText("Length", "0.25");
        note.AddText("Height", std::to_string(i % 43 - 21));
        switch (i % 4) {
            case 0:
                note.AddElement("Kruis");
                break;
            case 1:
                note.AddElement("Mol");
                break;
            case 2:
                note.AddElement("Dot");
                break;
            default:
                break;
        }
    }
    return root;
}

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() / "kalvora-xml-bench.kvm";
}

std::size_t CountElements(const TXMLItem& top) {
    std::size_t count = 1;
    if (!top.IsComplex()) return count;
    for (const TXMLItem* child = top.GetFirst(); child != nullptr; child = child->GetNext()) {
        count += CountElements(*child);
    }
    return count;
}

void SetRate(benchmark::State& state) {
    static const std::size_t elements = CountElements(*MusicTree());
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["elements/s"] = benchmark::Counter(
        static_cast<double>(elements), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WriteFile(benchmark::State& state) {
    const auto tree = MusicTree();
    std::string error;
    for (auto _ : state) {
        if (!tree->WriteFile(BenchFile(), error)) state.SkipWithError(error.c_str());
    }
    SetRate(state);
}

void BM_ReadTokens(benchmark::State& state) {
    std::string error;
    MusicTree()->WriteFile(BenchFile(), error);
    for (auto _ : state) {
        std::string version;
        const TXMLTokenList tokens = ReadTokens(BenchFile(), version);
        benchmark::DoNotOptimize(tokens.Size());
    }
    SetRate(state);
}

void BM_ReadAndValidate(benchmark::State& state) {
    std::string error;
    MusicTree()->WriteFile(BenchFile(), error);
    const auto pick = [](const std::string&) { return &MusicGrammar(); };
    for (auto _ : state) {
        const TXMLReadResult result = ReadXMLFile(BenchFile(), "", pick);
        if (result.outcome != TXMLReadOutcome::read) state.SkipWithError(result.message.c_str());
    }
    SetRate(state);
}

void BM_ReadValidateAndWrite(benchmark::State& state) {
    std::string error;
    MusicTree()->WriteFile(BenchFile(), error);
    const auto pick = [](const std::string&) { return &MusicGrammar(); };
    for (auto _ : state) {
        const TXMLReadResult result = ReadXMLFile(BenchFile(), "", pick);
        const auto& document = static_cast<const TXMLComplexElement&>(result.Document());
        if (!document.WriteFile(BenchFile(), error)) state.SkipWithError(error.c_str());
    }
    SetRate(state);
    std::filesystem::remove(BenchFile());
}

BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTokens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndValidate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadValidateAndWrite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
