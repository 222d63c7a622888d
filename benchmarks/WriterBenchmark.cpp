#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

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

// The same bytes, already in memory, written by one fwrite to a file opened over the last
// one; with bSync the file is then flushed to disk, as any write that must survive a crash is.
void WriteOnce(benchmark::State& state, const char* pszName, bool bSync) {
    const std::string path = ScratchPath(pszName);
    const std::string bytes = CKvlWriter::Bytes(Largest());
    for (auto _ : state) {
        FILE* pFile = std::fopen(path.c_str(), "wb");
        if (pFile == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), pFile) != bytes.size() ||
            std::fflush(pFile) != 0 || (bSync && fsync(fileno(pFile)) != 0) ||
            std::fclose(pFile) != 0) {
            state.SkipWithError("fwrite failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    std::filesystem::remove(path);
}

// The floor: one fwrite, left to the system to bring to disk when it will.
void BM_OneFwriteOfTheSameBytes(benchmark::State& state) {
    WriteOnce(state, "kvl-bench-fwrite.KVL", false);
}

// The floor for a durable write: one fwrite, then fsync.
void BM_OneFwriteThenFsync(benchmark::State& state) {
    WriteOnce(state, "kvl-bench-fsync.KVL", true);
}

BENCHMARK(BM_KvlWriterWritesLargest)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OneFwriteOfTheSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OneFwriteThenFsync)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
