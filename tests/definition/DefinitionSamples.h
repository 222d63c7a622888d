#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "definition/CKvlDefinition.h"

inline SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t exits = 0) {
    SubCell cell{.nX = x, .nY = y, .nZ = z};
    cell.SetExits(exits);
    return cell;
}

inline CKvlDefinition Definition(uint32_t nId, std::string mapFile, int32_t dimX, int32_t dimY,
                                 int32_t dimZ, std::vector<SubCell> cells) {
    return {nId, std::move(mapFile), dimX, dimY, dimZ, std::move(cells)};
}

// Identifier 7, a.map, 1 x 1 x 1, one record (0, 0, 0) with North and East, and its file: the
// name's length at 42, the name from 46, dimensions from 52, the count at 64, the record 68-89.
inline CKvlDefinition ExampleDefinition() {
    return Definition(7, "a.map", 1, 1, 1, {Cell(0, 0, 0, EXIT_NORTH | EXIT_EAST)});
}
inline const std::string kExampleFile =
    std::string("\x22\0\0\0KESTRAVEN SOFTWARE     .KVL (1.0)\0\7\0\0\0\6\0\0\0a.map\0", 52) +
    std::string("\1\0\0\0\1\0\0\0\1\0\0\0\1\0\0\0\5", 17) + std::string(21, '\0');

// .KVL files in a temporary folder.
class KvlFileTest : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const {
        return m_Folder.filePath(QString::fromStdString(name)).toStdString();
    }
    std::vector<std::string> Contents() const {
        return TestFiles::ListFolder(m_Folder.path().toStdString());
    }

    QTemporaryDir m_Folder;
};
