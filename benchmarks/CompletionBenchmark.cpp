#include <benchmark/benchmark.h>

#include "definition/CKvlDefinition.h"

namespace {

// A box of 2^n sub cells, as near a cube as powers of two allow, with a record on every
// 16th sub cell as the user would add them (plus a duplicate and one outside the box).
CKvlDefinition PreparedDefinition(int nPowerOfTwo) {
    CKvlDefinition definition;
    definition.m_nDimX = 1 << ((nPowerOfTwo + 2) / 3);
    definition.m_nDimY = 1 << ((nPowerOfTwo + 1) / 3);
    definition.m_nDimZ = 1 << (nPowerOfTwo / 3);
    int nIndex = 0;
    for (int32_t x = 0; x < definition.m_nDimX; ++x) {
        for (int32_t y = 0; y < definition.m_nDimY; ++y) {
            for (int32_t z = 0; z < definition.m_nDimZ; ++z, ++nIndex) {
                if (nIndex % 16 == 0) {
                    SubCell cell;
                    cell.nX = x;
                    cell.nY = y;
                    cell.nZ = z;
                    cell.SetExits(EXIT_NORTH | EXIT_EAST);
                    definition.AddSubCell(cell);
                }
            }
        }
    }
    definition.AddSubCell(definition.m_SubCells.front());
    SubCell outside;
    outside.nX = definition.m_nDimX;
    definition.AddSubCell(outside);
    return definition;
}

void BM_CompleteSubCells(benchmark::State& state) {
    const int nPowerOfTwo = static_cast<int>(state.range(0));
    const CKvlDefinition prepared = PreparedDefinition(nPowerOfTwo);
    for (auto _ : state) {
        state.PauseTiming();
        CKvlDefinition definition = prepared;
        state.ResumeTiming();
        if (!definition.CompleteSubCells()) {
            state.SkipWithError("completion refused the box");
            break;
        }
        benchmark::DoNotOptimize(definition.m_SubCells.data());
        state.PauseTiming();  // freeing the copy is not completion
        definition = CKvlDefinition();
        state.ResumeTiming();
    }
    const int64_t nSubCells = int64_t{1} << nPowerOfTwo;
    state.SetComplexityN(nSubCells);
    state.SetItemsProcessed(state.iterations() * nSubCells);
}

BENCHMARK(BM_CompleteSubCells)
    ->Arg(10)
    ->Arg(14)
    ->Arg(17)
    ->Arg(20)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
