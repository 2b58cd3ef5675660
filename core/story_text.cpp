// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/story_text.h"

#include "core/numeric_text.h"

#include <cmath>

namespace vintrelle {

namespace {

constexpr std::string_view Minus = "\u2212";

std::string sampleName(int sample)
{
    return "N°" + integerToText(sample);
}

// A number in the rule's words: "−0,5" for a negative one.
std::string signedText(float value)
{
    std::string text = singleToText(value);
    if (!text.empty() && text.front() == '-')
        text.replace(0, 1, Minus);
    return text;
}

// A factor of a product or a difference: a negative one in parentheses.
std::string factorText(float value)
{
    return std::signbit(value) ? "(" + signedText(value) + ")" : signedText(value);
}

std::string outputText(const std::optional<int> &output)
{
    return output ? integerToText(*output) : std::string("non calcolabile");
}

} // namespace

std::string passPositionText(int pass, int passCount)
{
    return "Ciclo " + integerToText(pass) + " di " + integerToText(passCount);
}

std::string weightsText(const WeightVector &weights)
{
    std::string text;
    for (int i = 0; i < InputCount; ++i) {
        if (i > 0)
            text += ", ";
        text += "w" + integerToText(i) + " = " + singleToText(weights[static_cast<std::size_t>(i)]);
    }
    return text;
}

std::string passStartText(int pass, const WeightVector &weights)
{
    return "Pesi all'inizio del ciclo " + integerToText(pass) + ": " + weightsText(weights);
}

std::string checkText(const TrainingStory &story, int pass, std::span<const SampleStep> steps)
{
    if (!steps.empty() && steps.back().overflowed)
        return "Controllo: non fatto: il ciclo si è fermato a " + sampleName(static_cast<int>(steps.size()) - 1)
            + " per un overflow numerico";
    if (story.samples().empty())
        return "Controllo: nessun campione da controllare";
    const int firstWrong = story.pass(pass).firstWrong;
    if (firstWrong < 0)
        return "Controllo: tutti i campioni classificati correttamente";
    // Only the last pass can end in an overflow of the check itself.
    if (pass == story.passCount() && story.result().outcome == TrainingOutcome::Overflow)
        return "Controllo: la somma di " + sampleName(firstWrong) + " non è calcolabile (overflow numerico)";
    return "Controllo: " + sampleName(firstWrong) + " è il primo classificato in modo errato";
}

std::array<std::string, StoryColumnCount> storyRowCells(int sample, const SampleStep &step)
{
    std::array<std::string, StoryColumnCount> cells;
    cells[0] = sampleName(sample);
    if (step.overflowed)
        cells[0] += " overflow";
    else if (step.corrected)
        cells[0] += " corretto";
    cells[1] = singleToText(step.sum);
    cells[2] = outputText(step.output);
    cells[3] = singleToText(step.target);
    for (int i = 0; i < InputCount; ++i)
        cells[static_cast<std::size_t>(FirstWeightColumn + i)] = singleToText(step.weightsAfter[static_cast<std::size_t>(i)]);
    return cells;
}

std::string correctionRuleText(int weight, float before, float target, int output, float eta, float input,
                               float after)
{
    return "w" + integerToText(weight) + ": " + signedText(before) + " + (" + signedText(target) + " "
        + std::string(Minus) + " " + factorText(static_cast<float>(output)) + ") × " + factorText(eta) + " × "
        + factorText(input) + " = " + signedText(after);
}

std::vector<std::string> sampleStepLines(int sample, const SampleRow &row, const SampleStep &step,
                                         const WeightVector &before, float eta)
{
    const std::string name = sampleName(sample);
    const std::string seen = "uscita " + outputText(step.output) + ", attesa " + singleToText(step.target);
    if (!step.output)
        return {name + ": la somma non è calcolabile (overflow numerico): il ciclo si ferma qui, i pesi restano"};
    if (step.overflowed)
        return {name + ": " + seen
                + ", ma la correzione non è calcolabile (overflow numerico): il ciclo si ferma qui, i pesi restano"};
    if (!step.corrected)
        return {name + ": uscita " + outputText(step.output) + " uguale all'attesa " + singleToText(step.target)
                + ", nessuna correzione: i pesi restano"};
    std::vector<std::string> lines{name + " corretto: " + seen, "Δw = (t " + std::string(Minus) + " y) × Eta × x"};
    for (int i = 0; i < InputCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        lines.push_back(correctionRuleText(i, before[at], step.target, *step.output, eta, row[at], step.weightsAfter[at]));
    }
    return lines;
}

std::string storyPassText(std::span<const SampleStep> steps)
{
    std::string text;
    const auto addLine = [&text](const auto &cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                text += '\t';
            text += cells[c];
        }
        text += '\n';
    };
    addLine(StoryColumnTitles);
    for (std::size_t s = 0; s < steps.size(); ++s)
        addLine(storyRowCells(static_cast<int>(s), steps[s]));
    return text;
}

} // namespace vintrelle
