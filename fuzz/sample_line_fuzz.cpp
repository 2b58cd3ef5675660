// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// Sample lines. The input is cut at newlines into up to six texts: five
// inputs and a target. Checks on every input:
// - reading any text as a sample line never crashes, and the texts it gives
//   have no blanks at either end;
// - a line built from five texts that are numbers reads back to the same
//   five texts, less their surrounding blanks, and so to the same numbers.

#include "core/numeric_text.h"
#include "samples/sample_line.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void fail(const char *what, std::string_view text)
{
    std::fprintf(stderr, "property broken: %s, line \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vintrelle;
    std::string_view input(reinterpret_cast<const char *>(data), size);

    if (const auto read = readSampleLine(input)) {
        for (const std::string &text : *read) {
            if (trimBlanks(text) != text)
                fail("read text keeps blanks", input);
        }
    }

    std::array<std::string_view, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto newline = input.find('\n');
        if (newline == std::string_view::npos && i + 1 < texts.size())
            return 0;
        texts[i] = input.substr(0, newline);
        input.remove_prefix(newline == std::string_view::npos ? input.size() : newline + 1);
    }
    for (std::size_t i = 0; i < 5; ++i) {
        if (!textToSingle(texts[i]))
            return 0;
    }

    const std::string line = buildSampleLine({texts[0], texts[1], texts[2], texts[3], texts[4]}, texts[5]);
    const auto back = readSampleLine(line);
    if (!back)
        fail("built line not readable", line);
    for (std::size_t i = 0; i < 5; ++i) {
        if ((*back)[i] != trimBlanks(texts[i]))
            fail("text changed on the way through the line", line);
        if (textToSingle((*back)[i]) != textToSingle(texts[i]))
            fail("number changed on the way through the line", line);
    }
    return 0;
}
