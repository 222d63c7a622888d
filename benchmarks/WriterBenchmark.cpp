#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "definition/CKvlWriter.h"

namespace {

// The largest definition kvltool make writes: 2^20 sub cell records.
const CKvlDefinition& Largest() {
    static const CKvlDefinition definition = [] {
        CKvlDefinition largest{1, "big.map", 1024, 1024, 1, {}};
        largest.CompleteSubCells();
        return largest;
    }();
    return definition;
}

std::string ScratchPath(const char* pszName) {
    return (std::filesystem::temp_directory_path() / pszName).string();
}

// The writer's whole work: the bytes built, a temporary file written, flushed to disk and
// renamed over the last one.
void BM_KvlWriterWritesLargest(benchmark::State& state) {
    const std::string path = ScratchPath("kvl-bench-writer.KVL");
    for (auto _ : state) {
        if (!CKvlWriter().Write(path, Largest())) {
            state.SkipWithError("the writer failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(CKvlWriter::Bytes(Largest()).size()));
    std::filesystem::remove(path);
}

// The floor: the same bytes, already in memory, written by one fwrite to a file opened over
// the last one.
void BM_OneFwriteOfTheSameBytes(benchmark::State& state) {
    const std::string path = ScratchPath("kvl-bench-fwrite.KVL");
    const std::string bytes = CKvlWriter::Bytes(Largest());
    for (auto _ : state) {
        FILE* pFile = std::fopen(path.c_str(), "wb");
        if (pFile == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), pFile) != bytes.size() ||
            std::fclose(pFile) != 0) {
            state.SkipWithError("fwrite failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    std::filesystem::remove(path);
}

BENCHMARK(BM_KvlWriterWritesLargest)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OneFwriteOfTheSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
