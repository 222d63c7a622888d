#include "tools/CommandMakeArguments.h"

#include <charconv>
#include <system_error>
#include <vector>

#include "tools/ExitLetters.h"

namespace {

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const char* pEnd = text.data() + text.size();
    const auto [pStop, error] = std::from_chars(text.data(), pEnd, value);
    if (text.empty() || error != std::errc() || pStop != pEnd) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> SplitAt(std::string_view text, char cSeparator) {
    std::vector<std::string_view> parts;
    size_t nStart = 0;
    for (size_t nFound = text.find(cSeparator); nFound != std::string_view::npos;
         nFound = text.find(cSeparator, nStart)) {
        parts.push_back(text.substr(nStart, nFound - nStart));
        nStart = nFound + 1;
    }
    parts.push_back(text.substr(nStart));
    return parts;
}

// Three 32-bit integers separated by cSeparator.
std::optional<CommandMakeArguments::Dimensions> ParseTriple(std::string_view text,
                                                            char cSeparator) {
    const std::vector<std::string_view> parts = SplitAt(text, cSeparator);
    if (parts.size() != 3) {
        return std::nullopt;
    }
    CommandMakeArguments::Dimensions values{};
    for (size_t i = 0; i < 3; ++i) {
        const std::optional<int32_t> value = ParseNumber<int32_t>(parts[i]);
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
    }
    return values;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    quoted.append(text).append("\"");
    return quoted;
}

}  // namespace

std::optional<CommandMakeArguments::Dimensions> CommandMakeArguments::ParseDimensions(
    std::string_view text, std::string& error) {
    std::optional<Dimensions> dimensions = ParseTriple(text, 'x');
    if (!dimensions) {
        error = Quoted(text) +
                " is no size: expected XxYxZ, three whole numbers of 32 bits such as 3x2x1";
    }
    return dimensions;
}

std::optional<SubCell> CommandMakeArguments::ParseExit(std::string_view text, std::string& error) {
    const size_t nColon = text.find(':');
    const std::optional<Dimensions> coordinates =
        nColon == std::string_view::npos ? std::nullopt : ParseTriple(text.substr(0, nColon), ',');
    const std::optional<uint16_t> exits = nColon == std::string_view::npos
                                              ? std::nullopt
                                              : ExitLetters::Parse(text.substr(nColon + 1));
    if (!coordinates || !exits) {
        error = Quoted(text) +
                " is no sub cell: expected X,Y,Z:EXITS with EXITS any of the letters N, S, E "
                "and W, or - for none, such as 1,0,0:NE";
        return std::nullopt;
    }
    SubCell cell;
    cell.nX = (*coordinates)[0];
    cell.nY = (*coordinates)[1];
    cell.nZ = (*coordinates)[2];
    cell.SetExits(*exits);
    return cell;
}

std::optional<uint32_t> CommandMakeArguments::ParseIdentifier(std::string_view text,
                                                              std::string& error) {
    std::optional<uint32_t> identifier = ParseNumber<uint32_t>(text);
    if (!identifier) {
        error = Quoted(text) + " is no identifier: expected a whole number from 0 to 4294967295";
    }
    return identifier;
}
