// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The samples as the window keeps them: one record each in the store, its
// row, its texts and the line built from them. The input is cut at newlines;
// each piece is one action:
//   starting with "r": remove the sample numbered by the piece's length
//                      (less one, so that 0 removes nothing: no selection);
//   starting with "c": clear;
//   anything else:     add the sample whose texts are the piece cut at ";"
//                      (five inputs, then the target), when they all are
//                      numbers, as the window adds it.
// After every action the store is compared with a plain list of records:
// - the same count, rows and texts, in the same order;
// - the line shows the texts in order, and selecting the sample loads
//   texts that read back to the very numbers of its row.

#include "core/numeric_text.h"
#include "samples/sample_store.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

[[noreturn]] void fail(const char *what, std::string_view text)
{
    std::fprintf(stderr, "property broken: %s, at \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

struct Record
{
    vintrelle::SampleRow row;
    vintrelle::SampleTexts texts;
};

// The piece cut at ";" into five inputs and a target; false when it has fewer parts.
bool cut(std::string_view piece, vintrelle::SampleTexts &texts)
{
    std::array<std::string, 6> parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto semicolon = piece.find(';');
        if (semicolon == std::string_view::npos && i + 1 < parts.size())
            return false;
        parts[i] = std::string(piece.substr(0, semicolon));
        piece.remove_prefix(semicolon == std::string_view::npos ? piece.size() : semicolon + 1);
    }
    for (std::size_t i = 0; i < 5; ++i)
        texts.inputs[i] = parts[i];
    texts.target = parts[5];
    return true;
}

void compare(const vintrelle::SampleStore &store, const std::vector<Record> &model, std::string_view piece)
{
    using namespace vintrelle;
    if (store.count() != static_cast<int>(model.size()) || store.rows().size() != model.size())
        fail("count differs", piece);
    for (int r = 0; r < store.count(); ++r) {
        const Record &expected = model[static_cast<std::size_t>(r)];
        if (store.row(r) != expected.row || !(store.texts(r) == expected.texts))
            fail("record differs", piece);
        // The line holds the texts in their order.
        const std::string line = store.line(r);
        std::size_t at = 0;
        for (const std::string &text : expected.texts.inputs) {
            at = line.find(text, at);
            if (at == std::string::npos)
                fail("line lacks an input text", line);
            at += text.size();
        }
        if (line.find(expected.texts.target, at) == std::string::npos)
            fail("line lacks the target text", line);
        // Selecting loads texts without blanks around them that read back to the row.
        const std::array<std::string, 5> loaded = store.inputsToLoad(r);
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            if (trimBlanks(loaded[i]) != loaded[i])
                fail("loaded text keeps blanks", loaded[i]);
            if (textToSingle(loaded[i]) != expected.row[i + 1])
                fail("loaded text is another number", loaded[i]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vintrelle;
    std::string_view input(reinterpret_cast<const char *>(data), size);
    SampleStore store;
    std::vector<Record> model;
    while (!input.empty()) {
        const auto newline = input.find('\n');
        const std::string_view piece = input.substr(0, newline);
        input.remove_prefix(newline == std::string_view::npos ? input.size() : newline + 1);

        if (!piece.empty() && piece.front() == 'r') {
            const int k = static_cast<int>(piece.size() % 13) - 1;
            const bool removed = store.remove(k);
            if (removed != (k >= 0 && k < static_cast<int>(model.size())))
                fail("remove answered wrongly", piece);
            if (removed)
                model.erase(model.begin() + k);
        } else if (!piece.empty() && piece.front() == 'c') {
            store.clear();
            model.clear();
        } else {
            SampleTexts texts;
            if (!cut(piece, texts))
                continue;
            const auto row = sampleRowFromTexts(
                {"-1", texts.inputs[0], texts.inputs[1], texts.inputs[2], texts.inputs[3], texts.inputs[4]},
                texts.target);
            if (!std::holds_alternative<SampleRow>(row))
                continue;
            const bool added = store.add(std::get<SampleRow>(row), texts);
            if (added != (model.size() < SampleStore::Capacity))
                fail("add answered wrongly", piece);
            if (added)
                model.push_back({std::get<SampleRow>(row), texts});
        }
        compare(store, model, piece);
    }
    return 0;
}
