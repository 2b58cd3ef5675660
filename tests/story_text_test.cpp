// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/story_text.h"
#include "core/training_story.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

// OR at eta 0,25 from weights of 0, worked out by hand: it converges in
// three passes.
//   pass 1: N°0 (sum 0, output 1, target -1) corrected, w0 = 0,5;
//           N°1 (sum -0,5) corrected, w0 = 0, w2 = 0,5; N°2 (sum 0), N°3 right.
//           The check finds N°0 (sum 0) wrong.
//   pass 2: N°0 corrected to w0 = 0,5, w2 = 0,5; N°1 right (sum 0);
//           N°2 (sum -0,5) corrected to w0 = 0, w1 = 0,5; N°3 right.
//   pass 3: N°0 corrected to 0,5, 0,5, 0,5; the rest right (sums 0, 0, 0,5);
//           the check finds every sample right.
const TrainingStory &orStory()
{
    static const TrainingStory story = [] {
        TrainingStory made;
        WeightVector weights{};
        const std::vector<SampleRow> rows{{-1, 0, 0, 0, 0, 0, -1}, {-1, 0, 1, 0, 0, 0, 1},
                                          {-1, 1, 0, 0, 0, 0, 1}, {-1, 1, 1, 0, 0, 0, 1}};
        train(weights, rows, 0.25f, 10000, made);
        return made;
    }();
    return story;
}

// One sample whose correction overflows: sum 0, output 1, target -1, and
// (t - y) * eta * x = -2e38 * 3e38.
const TrainingStory &overflowStory()
{
    static const TrainingStory story = [] {
        TrainingStory made;
        WeightVector weights{};
        const std::vector<SampleRow> rows{{-1, 3e38f, 0, 0, 0, 0, -1}};
        train(weights, rows, 1e38f, 10000, made);
        return made;
    }();
    return story;
}

std::string cellsLine(const std::array<std::string, StoryColumnCount> &cells)
{
    std::string line;
    for (const std::string &cell : cells)
        line += cell + "|";
    return line;
}

struct TextRow
{
    std::string name;
    std::function<std::string()> text;
    std::string expected;
};

const std::vector<TextRow> textRows{
    {"Position", [] { return passPositionText(3, 31); }, "Ciclo 3 di 31"},
    {"StartOfPass3", [] { return passStartText(3, orStory().weightsBefore(3)); },
     "Pesi all'inizio del ciclo 3: w0 = 0, w1 = 0,5, w2 = 0,5, w3 = 0, w4 = 0, w5 = 0"},
    {"CorrectedRowCells", [] { return cellsLine(storyRowCells(0, orStory().replay(1)[0])); },
     "N°0 corretto|0|1|-1|0,5|0|0|0|0|0|"},
    {"UnchangedRowCells", [] { return cellsLine(storyRowCells(2, orStory().replay(1)[2])); },
     "N°2|0|1|1|0|0|0,5|0|0|0|"},
    {"RuleWithNegativeInput",
     [] {
         const auto steps = orStory().replay(1);
         return sampleStepLines(0, orStory().samples()[0], steps[0], orStory().weightsBefore(1), 0.25f)[2];
     },
     "w0: 0 + (−1 − 1) × 0,25 × (−1) = 0,5"},
    {"RuleOfASampleLaterInThePass",
     [] {
         const auto steps = orStory().replay(2);
         return sampleStepLines(2, orStory().samples()[2], steps[2], steps[1].weightsAfter, 0.25f)[3];
     },
     "w1: 0 + (1 − (−1)) × 0,25 × 1 = 0,5"},
    {"UnchangedRowWords",
     [] {
         const auto steps = orStory().replay(1);
         const auto lines = sampleStepLines(2, orStory().samples()[2], steps[2], steps[1].weightsAfter, 0.25f);
         return lines.size() == 1 ? lines[0] : "more than one line";
     },
     "N°2: uscita 1 uguale all'attesa 1, nessuna correzione: i pesi restano"},
    {"CheckFindsN0Wrong", [] { return checkText(orStory(), 1, orStory().replay(1)); },
     "Controllo: N°0 è il primo classificato in modo errato"},
    {"CheckFindsAllRight", [] { return checkText(orStory(), 3, orStory().replay(3)); },
     "Controllo: tutti i campioni classificati correttamente"},
    {"PassToCopy", [] { return storyPassText(orStory().replay(3)); },
     "Sample\tSomma\tUscita\tAttesa\tw0\tw1\tw2\tw3\tw4\tw5\n"
     "N°0 corretto\t0\t1\t-1\t0,5\t0,5\t0,5\t0\t0\t0\n"
     "N°1\t0\t1\t1\t0,5\t0,5\t0,5\t0\t0\t0\n"
     "N°2\t0\t1\t1\t0,5\t0,5\t0,5\t0\t0\t0\n"
     "N°3\t0,5\t1\t1\t0,5\t0,5\t0,5\t0\t0\t0\n"},
    {"OverflowRowCells", [] { return cellsLine(storyRowCells(0, overflowStory().replay(1)[0])); },
     "N°0 overflow|0|1|-1|0|0|0|0|0|0|"},
    {"OverflowRowWords",
     [] {
         const auto steps = overflowStory().replay(1);
         return sampleStepLines(0, overflowStory().samples()[0], steps[0], overflowStory().startWeights(), 1e38f)[0];
     },
     "N°0: uscita 1, attesa -1, ma la correzione non è calcolabile (overflow numerico): il ciclo si ferma qui, "
     "i pesi restano"},
    {"CheckAfterAnOverflow", [] { return checkText(overflowStory(), 1, overflowStory().replay(1)); },
     "Controllo: non fatto: il ciclo si è fermato a N°0 per un overflow numerico"},
};

class StoryText : public ::testing::TestWithParam<TextRow>
{
};

TEST_P(StoryText, ReadsAsWorkedOut)
{
    EXPECT_EQ(GetParam().text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoryText, ::testing::ValuesIn(textRows), named_rows::ByName());

} // namespace
} // namespace vintrelle
