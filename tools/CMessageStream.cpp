#include "tools/CMessageStream.h"

namespace {
constexpr const char* kPrefix = "kvltool: ";
}

CMessageStream::CMessageStream(std::ostream& target) : std::ostream(nullptr), m_Buffer(target) {
    rdbuf(&m_Buffer);
}

int CMessageStream::CPrefixBuffer::overflow(int nChar) {
    if (traits_type::eq_int_type(nChar, traits_type::eof())) {
        return traits_type::not_eof(nChar);
    }
    if (m_bLineStart) {
        m_Target << kPrefix;
    }
    const char c = traits_type::to_char_type(nChar);
    m_Target.put(c);
    m_bLineStart = c == '\n';
    return m_Target ? nChar : traits_type::eof();
}

int CMessageStream::CPrefixBuffer::sync() {
    return m_Target.flush() ? 0 : -1;
}
