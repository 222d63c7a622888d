#include "fileio/CTextFileWriter.h"

bool CTextFileWriter::WriteLine(const std::string& text) {
    const std::string line = text + "\n";
    return WriteBytes(line.data(), line.size());
}
