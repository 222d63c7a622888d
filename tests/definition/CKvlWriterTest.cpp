#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ChildProcess.h"
#include "DefinitionSamples.h"
#include "TestFiles.h"
#include "definition/CKvlWriter.h"
#include "definition/CMissingSubCells.h"

namespace {

using namespace std::string_literals;

// The file replaces a longer one. (A plain definition's bytes are pinned by the tools' tests,
// which read back what kvltool makes, and by the end-to-end run.)
TEST(CKvlWriterTest, FileHoldsExactlyTheFieldsInOrderUnlessTheWriteFails) {
    const TestFiles::TempFolder folder;
    const std::string out = folder.PathOf("out.KVL");
    TestFiles::WriteAll(out, std::string(1000, 'x'));
    const std::vector<SubCell> cells = {Cell(0, 0, 0, EXIT_WEST), Cell(5, -1, INT32_MAX, EXIT_ALL)};
    ASSERT_TRUE(CKvlWriter().Write(out, {UINT32_MAX, "", -1, INT32_MIN, 300, cells}));
    // After the header: the identifier, the empty name's length and NUL, the dimensions, the
    // record count, then each record's exits, coordinates and reserved words.
    EXPECT_EQ(TestFiles::ReadAll(out), ExampleKvl().substr(0, 38) + "\xFF\xFF\xFF\xFF\1\0\0\0\0"s +
                                           "\xFF\xFF\xFF\xFF\0\0\0\x80\x2C\1\0\0\2\0\0\0"s +
                                           "\x08\0"s + std::string(20, '\0') +
                                           "\x0F\0\5\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"s +
                                           std::string(8, '\0'));
    // Records go out a block at a time; several blocks and a part still make the one file,
    // and records appended as they are made give the bytes of the completed definition.
    CKvlDefinition large{3, "large.map", 40000, 1, 1, {Cell(7, 0, 0, 5), Cell(7, 0, 0, 1)}};
    CKvlWriter writer;
    ASSERT_TRUE(writer.Stage(out, large, CMissingSubCells(large)) && writer.Close());
    large.CompleteSubCells();
    const std::string older = CKvlWriter::Bytes(large);
    EXPECT_EQ(TestFiles::ReadAll(out), older);

    // A write that fails for real reports false and leaves that file alone: the file cannot be
    // made, a write fails part way, or the failure shows only when the buffered bytes are
    // flushed. Path, file size limit (0: none), number of records.
    const std::tuple<std::string, size_t, int32_t> cases[] = {
        {folder.PathOf("missing/out.KVL"), 0, 1},
        {out + "/a.KVL", 0, 1},
        {out, 4096, 1000},
        {out, 64, 1},
    };
    for (const auto& [path, nFileSizeLimit, nRecords] : cases) {
        const CKvlDefinition big{9, "big.map", nRecords, 1, 1, std::vector<SubCell>(nRecords)};
        // path is named again: clang 14 cannot capture a structured binding.
        const auto write = [&, &path = path] { return CKvlWriter().Write(path, big); };

#ifdef _WIN32
        if (nFileSizeLimit > 0) {
            continue;  // Windows has no limit to make a write fail part way
        }
        EXPECT_FALSE(write()) << path;
#else
        EXPECT_EQ(ChildProcess::Run(write, nFileSizeLimit), 1) << path << nRecords;
#endif
        EXPECT_EQ(TestFiles::ReadAll(out), older);
        EXPECT_EQ(folder.Files(), std::vector<std::string>{"out.KVL"});
    }
}

}  // namespace
