#include "fileio/CTextFileWriter.h"

bool CTextFileWriter::WriteLine(const std::string& text) {
    const std::string line = text + "\r\n";
    return WriteBytes(line.data(), line.size());
}
