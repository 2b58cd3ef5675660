// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Why a training that stopped at the limit stopped, told with the student's
// own samples: the reason shown under the status line, and a note for the
// list line of each sample that the reason names.
//
// A proof that no weights classify the samples (verdict/separability.h)
// names exactly the samples whose multiplier is above 0, each with its
// inputs as the list writes them, and the sum of each side, so that it can
// be checked by hand. Inputs that are 0 in every sample of the proof are
// left out, and a bias of -1 in all of them is said once. XOR at Eta 1,
//   (0,0 -> -1) (0,1 -> 1) (1,0 -> 1) (1,1 -> -1) ->
//   "I campioni non sono linearmente separabili: nessun insieme di pesi li
//    classifica tutti. Ingressi mostrati (X1 ; X2), gli altri sono 0, il Bias
//    è sempre -1: N°1 (0 ; 1) + N°2 (1 ; 0) hanno gli stessi ingressi di
//    N°0 (0 ; 0) + N°3 (1 ; 1). Entrambe le parti sommano (1 ; 1), con il
//    Bias -2. Quindi con ogni insieme di pesi danno la stessa somma pesata,
//    ma N°1 e N°2 chiedono una somma maggiore o uguale a 0 e N°0 e N°3 una
//    somma minore di 0."
//   and each of the four list lines the note "Fa parte della prova che
//   nessun insieme di pesi li classifica tutti."
// Multipliers other than 1 stand before their samples ("2 × N°1 (1 ; 1)").
// The proof is exact, on the numbers as stored; only the multipliers shown
// may be rounded, and then the reason says so (0,2 -> -1, 0,5 -> 1,
// 0,9 -> -1: "7 × N°1 (0,5) ha gli stessi ingressi di 4 × N°0 (0,2) +
// 3 × N°2 (0,9). Entrambe le parti sommano (3,5), con il Bias -7. I
// moltiplicatori mostrati sono arrotondati; la prova è esatta: ...", and
// the note "(moltiplicatore 7, arrotondato)"). Multipliers too long to show
// are not shown, and the reason says that too.
//
// Separable samples get example weights that the check pass accepts (the
// exact whole numbers up to 2^24, else the exact weights scaled to a largest
// of 10, 100, ... 1000000 and rounded, the first the check pass accepts):
// AND -> "I campioni sono linearmente separabili, per esempio con w0 = 2,
// w1 = 1, w2 = 1, w3 = 0, w4 = 0, w5 = 0. Più cicli o un altro tasso di
// apprendimento possono bastare." (which weights the verdict finds is its
// own choice; that they are shown so is the contract).
//
// A training at Eta 0 (or -0) never changes a weight, so the reason then
// never says that more passes may help: (0,0 -> 1) (1,1 -> -1) at Eta 0 ->
//   "Con Eta 0 i pesi non cambiano mai: più cicli non possono bastare. I
//    campioni sono linearmente separabili, per esempio con w0 = -1, ...
//    Un Eta diverso da 0 può bastare."

#include "core/network_state.h"

#include <span>
#include <string>
#include <vector>

namespace vintrelle {

struct LimitExplanation
{
    // The reason, in plain Italian, for the status line.
    std::string reason;
    // One text per stored sample, in store order: empty for a sample the
    // reason does not name, else what the sample has to do with it.
    std::vector<std::string> sampleNotes;
};

// The explanation for the stored samples (every value finite, as the
// sample store keeps them) after a training at learning rate `eta`.
LimitExplanation explainLimit(std::span<const SampleRow> samples, float eta);

} // namespace vintrelle
