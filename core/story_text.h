// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The texts of the story window (core/training_story.h): where the chosen
// pass stands, the weights it started from, what the check after it found,
// each sample's row of the table, how the rule corrected a weight, and the
// pass as text to copy. Numbers are written as a stored float is written
// everywhere (singleToText); in the rule's words a minus is the sign "−"
// (U+2212) and a negative factor stands in parentheses.
//
// Examples, OR at eta 0,25 from weights {0, 0, 0, 0, 0, 0}, pass 1 of 3:
//   passPositionText(1, 3)                       -> "Ciclo 1 di 3"
//   passStartText(3, {0, 0.5f, 0.5f, 0, 0, 0})   -> "Pesi all'inizio del ciclo 3: "
//                                                   "w0 = 0, w1 = 0,5, w2 = 0,5, w3 = 0, w4 = 0, w5 = 0"
//   sample N°0 (x0 -1, target -1), sum 0, output 1, corrected:
//     cells      "N°0 corretto" "0" "1" "-1" "0,5" "0" "0" "0" "0" "0"
//     rule of w0 "w0: 0 + (−1 − 1) × 0,25 × (−1) = 0,5"
//   a sample left as it was:
//     cells      "N°2" "0" "1" "1" "0" "0" "0,5" "0" "0" "0"
//     words      "N°2: uscita 1 uguale all'attesa 1, nessuna correzione: i pesi restano"
//   the check after a pass:
//     "Controllo: tutti i campioni classificati correttamente"
//     "Controllo: N°2 è il primo classificato in modo errato"
//   the pass to copy: "Sample\tSomma\tUscita\tAttesa\tw0\t...\tw5\n" and a
//   line of the cells for each sample, tab-separated.

#include "core/network_state.h"
#include "core/training_story.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vintrelle {

// The table's columns: the sample, its sum, output and target, the weights after it.
inline constexpr int StoryColumnCount = 4 + InputCount;
inline constexpr std::array<std::string_view, StoryColumnCount> StoryColumnTitles{
    "Sample", "Somma", "Uscita", "Attesa", "w0", "w1", "w2", "w3", "w4", "w5"};
inline constexpr int FirstWeightColumn = 4;

// "Ciclo 3 di 31".
std::string passPositionText(int pass, int passCount);

// "w0 = 0,5, w1 = 0, ..., w5 = 1,25".
std::string weightsText(const WeightVector &weights);
// "Pesi all'inizio del ciclo 3: w0 = 0,5, ...".
std::string passStartText(int pass, const WeightVector &weights);

// What the check after pass `pass` found:
//   every sample right        -> "Controllo: tutti i campioni classificati correttamente"
//   sample 2 the first wrong  -> "Controllo: N°2 è il primo classificato in modo errato"
//   no samples                -> "Controllo: nessun campione da controllare"
//   the pass stopped at N°2   -> "Controllo: non fatto: il ciclo si è fermato a N°2 per un overflow numerico"
//   the check stopped at N°2  -> "Controllo: la somma di N°2 non è calcolabile (overflow numerico)"
// `steps` is the pass replayed (TrainingStory::replay).
std::string checkText(const TrainingStory &story, int pass, std::span<const SampleStep> steps);

// The cells of sample `sample`'s row, in the order of StoryColumnTitles; the
// sample's cell says "corretto" when the rule changed the weights, "overflow"
// when an overflow stopped the pass there. An output that could not be
// computed reads "non calcolabile".
std::array<std::string, StoryColumnCount> storyRowCells(int sample, const SampleStep &step);

// The rule that corrected weight i, with its numbers, as training computes
// Δw = (t − y) × Eta × x and w + Δw:
//   (1, before 0,5, target 1, output -1, eta 0,25, x 1, after 1)
//     -> "w1: 0,5 + (1 − (−1)) × 0,25 × 1 = 1"
std::string correctionRuleText(int weight, float before, float target, int output, float eta, float input,
                               float after);

// What happened to a sample in the pass, a line a part: the first line says
// what the sample did; a corrected sample has the rule and one line per
// weight after it. `before` are the weights the sample found.
//   "N°1 corretto: uscita -1, attesa 1"
//   "Δw = (t − y) × Eta × x"
//   "w0: 0,5 + (1 − (−1)) × 0,25 × (−1) = 0"   ... to w5
std::vector<std::string> sampleStepLines(int sample, const SampleRow &row, const SampleStep &step,
                                         const WeightVector &before, float eta);

// The pass as tab-separated text: the titles on one line, then a line of
// cells per sample; every line ends with "\n".
std::string storyPassText(std::span<const SampleStep> steps);

} // namespace vintrelle
