#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "DefinitionSamples.h"
#include "TestFiles.h"
#include "definition/KvlReader.h"

namespace {

// 90 bytes: the name length at 42, the name from 46, the dimensions from 52, the record count
// at 64 and the one record from 68. Cut anywhere or overwritten, it is refused with the offset
// of the fault; what is no regular file is refused unopened.
TEST(KvlReaderTest, RefusesACutOrSpoiledFileWithTheOffsetOfTheFaultAndAnyOtherUnopened) {
    const std::string good = ExampleKvl();
    for (size_t nCut = 0; nCut < good.size(); ++nCut) {
        const KvlReader::Result result = KvlReader::ReadBytes(good.data(), nCut);
        ASSERT_EQ(result.m_eStatus, KvlReader::Result::Status::Corrupt) << "cut at " << nCut;
        EXPECT_LE(result.m_Error.nOffset, nCut);
    }
    // Where it is overwritten, with what value of how many bytes; the offset blamed and part of
    // what the reader says.
    const std::tuple<size_t, uint32_t, size_t, uint64_t, const char*> cases[] = {
        {0, 33, 4, 0, "header length is 33"},         {42, 0, 4, 42, "at least 1"},
        {42, UINT32_MAX, 4, 42, "runs past the end"}, {42, 7, 4, 52, "does not end in a NUL"},
        {64, UINT32_MAX, 4, 64, "only 22 follow"},    {90, 0, 1, 90, "1 bytes follow"},
    };
    for (const auto& [nAt, nValue, nWidth, nBlamed, pszSays] : cases) {
        std::string bytes = good;
        bytes.resize(std::max(bytes.size(), nAt + nWidth));
        for (size_t i = 0; i < nWidth; ++i) {
            bytes[nAt + i] = static_cast<char>(nValue >> (8 * i));
        }
        const KvlReader::Result result = KvlReader::ReadBytes(bytes.data(), bytes.size());
        ASSERT_EQ(result.m_eStatus, KvlReader::Result::Status::Corrupt) << pszSays;
        EXPECT_EQ(result.m_Error.nOffset, nBlamed) << pszSays;
        EXPECT_NE(result.m_Error.strMessage.find(pszSays), std::string::npos)
            << result.m_Error.strMessage;
    }
    // A folder or a pipe, which would block a reader that opened it, cannot be opened. (A
    // missing file is the tools' "dump gone.KVL".)
    const TestFiles::TempFolder folder;
    for (const std::string& path : TestFiles::NoRegularFiles(folder)) {
        EXPECT_EQ(KvlReader::ReadFile(path).m_eStatus, KvlReader::Result::Status::CannotOpen)
            << path;
    }
}

}  // namespace
