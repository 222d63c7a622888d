#pragma once

#include <ostream>
#include <streambuf>
#include <string>

// kvltool's error stream: every line written to it begins with "kvltool: ", so that a message
// can be told apart from a script's other output however it was composed (CLI11's included).
// A write the underlying stream refuses fails this stream too.
class CMessageStream : public std::ostream {
public:
    explicit CMessageStream(std::ostream& target);

private:
    class CPrefixBuffer : public std::streambuf {
    public:
        explicit CPrefixBuffer(std::ostream& target) : m_Target(target) {}

    protected:
        int overflow(int nChar) override;
        int sync() override;

    private:
        std::ostream& m_Target;
        bool m_bLineStart = true;
    };

    CPrefixBuffer m_Buffer;
};
