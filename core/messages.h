// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The program's own texts for the status line, and the fields they can name.

#include <optional>
#include <string>
#include <string_view>

namespace vintrelle::messages {

inline constexpr std::string_view SystemReset = "Sistema Reinizializzato";
inline constexpr std::string_view NetworkReset = "Rete Reinizializzata";
inline constexpr std::string_view Computed = "Calcolato: ";
inline constexpr std::string_view TrainingConverged = "Addestata";   // also shown while training runs
inline constexpr std::string_view LimitExceeded = "Superati i limiti per i cicli di addestramento";
inline constexpr std::string_view TrainingOverflow = "Addestramento interrotto: overflow numerico";
inline constexpr std::string_view ComputeOverflow = "Calcolo interrotto: overflow numerico";
inline constexpr std::string_view SamplePrefix = "Sample N°";
inline constexpr std::string_view CyclesPrefix = "N°Cicli:";
inline constexpr std::string_view InvalidValuePrefix = "Valore non valido in ";

// Why a training ended as it did, under the status line: one for a training
// that converged, the others for the exact verdict on the samples when it
// stopped at the limit (verdict/separability.h).
inline constexpr std::string_view AllSamplesRight = "Tutti i campioni sono classificati correttamente.";
inline constexpr std::string_view NotSeparable =
    "I campioni non sono linearmente separabili: nessun insieme di pesi li classifica tutti.";
inline constexpr std::string_view Separable =
    "I campioni sono linearmente separabili: più cicli o un altro tasso di apprendimento possono bastare.";
// The same verdicts told with the samples and weights (verdict/explanation.h).
// Not separable with exact numbers, and not proven for the float sums: the
// proof, then what rounding might do.
inline constexpr std::string_view NotSeparableExactly =
    "Con i numeri esatti i campioni non sono linearmente separabili.";
inline constexpr std::string_view RoundingMayDecide =
    " Il neurone però arrotonda ogni prodotto e ogni somma: con pesi molto piccoli o molto grandi "
    "qualche insieme di pesi potrebbe classificarli tutti lo stesso.";
inline constexpr std::string_view InExactProof =
    "Fa parte della prova che, con i numeri esatti, i campioni non sono linearmente separabili";
inline constexpr std::string_view NotSeparableButRounded =
    "Con i numeri esatti i campioni non sono linearmente separabili, ma il neurone arrotonda ogni "
    "somma, e questi pesi li classificano tutti: ";
inline constexpr std::string_view SeparableBy = "I campioni sono linearmente separabili, per esempio con ";
inline constexpr std::string_view SeparableByEnd =
    ". Più cicli o un altro tasso di apprendimento possono bastare.";
// The proof, told with the inputs of its samples as the list writes them:
//   "Ingressi mostrati (X1 ; X2), gli altri sono 0, il Bias è sempre -1: N°1 (0 ; 1) + N°2 (1 ; 0)
//    hanno gli stessi ingressi di N°0 (0 ; 0) + N°3 (1 ; 1). Entrambe le parti sommano (1 ; 1),
//    con il Bias -2. Quindi con ogni insieme di pesi danno la stessa somma pesata, ma N°1 e N°2
//    chiedono una somma maggiore o uguale a 0 e N°0 e N°3 una somma minore di 0."
inline constexpr std::string_view ShownInputs = "Ingressi mostrati ";
inline constexpr std::string_view OtherInputsZero = ", gli altri sono 0";
inline constexpr std::string_view BiasAlwaysMinusOne = ", il Bias è sempre -1";
inline constexpr std::string_view SameInputsSingular = " ha gli stessi ingressi di ";
inline constexpr std::string_view SameInputsPlural = " hanno gli stessi ingressi di ";
inline constexpr std::string_view MultipliersTooLong =
    ", se ognuno è moltiplicato per un suo numero intero positivo (esatto, ma troppo lungo da mostrare).";
inline constexpr std::string_view BothSidesAddUpTo = " Entrambe le parti sommano ";
inline constexpr std::string_view WithBias = ", con il Bias ";
// The sums of the numbers shown, when they differ (the shown multipliers
// rounded, or decimal inputs stored as the nearest binary number).
inline constexpr std::string_view ShownFirstSideAddsUpTo = " Con i numeri mostrati la prima parte somma ";
inline constexpr std::string_view ShownSecondSide = " e la seconda ";
inline constexpr std::string_view EqualAsStored =
    " Le due parti sono uguali sui numeri come il programma li memorizza: un numero con la virgola vi è "
    "memorizzato con una piccola differenza.";
inline constexpr std::string_view RoundedMultipliers =
    " I moltiplicatori mostrati sono arrotondati; la prova è esatta: vale con moltiplicatori interi più "
    "lunghi sui numeri come il programma li memorizza, dove un numero con la virgola può differire di "
    "poco da come è scritto.";
inline constexpr std::string_view SameSum = " Quindi con ogni insieme di pesi danno la stessa somma pesata, ma ";
inline constexpr std::string_view AsksSingular = " chiede una somma maggiore o uguale a 0 e ";
inline constexpr std::string_view AsksPlural = " chiedono una somma maggiore o uguale a 0 e ";
inline constexpr std::string_view AsksBelowZero = " una somma minore di 0.";
inline constexpr std::string_view AllInputsZero =
    " ha tutti gli ingressi a 0: con ogni insieme di pesi la sua somma pesata è 0, ma deve essere minore di 0.";
inline constexpr std::string_view InputsCancel =
    " hanno ingressi che sommati fanno 0: con ogni insieme di pesi anche le loro somme pesate sommate "
    "fanno 0, ma ognuno chiede una somma minore di 0.";
inline constexpr std::string_view InProof = "Fa parte della prova che nessun insieme di pesi li classifica tutti";
// A list line's note on its sample's multiplier: " (moltiplicatore 2)",
// " (moltiplicatore 4, arrotondato)", " (con un moltiplicatore troppo lungo da mostrare)".
inline constexpr std::string_view NoteMultiplier = " (moltiplicatore ";
inline constexpr std::string_view NoteRounded = ", arrotondato";
inline constexpr std::string_view NoteMultiplierTooLong = " (con un moltiplicatore troppo lungo da mostrare)";
// A training with a learning rate of 0 (or -0) never changes a weight.
inline constexpr std::string_view EtaZero = "Con Eta 0 i pesi non cambiano mai: più cicli non possono bastare. ";
inline constexpr std::string_view SeparableEtaZero =
    "I campioni sono linearmente separabili: un Eta diverso da 0 può bastare.";
inline constexpr std::string_view SeparableByEtaZeroEnd = ". Un Eta diverso da 0 può bastare.";
inline constexpr std::string_view ZeroTarget = "Un'uscita attesa è 0: nessuna uscita del neurone ha il suo segno.";
inline constexpr std::string_view NoSamples = "Nessun campione da addestrare.";

// The fields whose text a handler converts, with their captions.
enum class Field { Bias, X1, X2, X3, X4, X5, Output, Eta, MaxCycles };

// "Bias", "X1".."X5", "Uscita", "Eta", "N° cicli Max".
std::string_view fieldCaption(Field field);
// Input field 0..5 (Txt(0)..Txt(5)) as a Field.
Field inputField(int index);

// "Valore non valido in X3"; the cycle limit, a 16-bit integer, with its
// range: "Valore non valido in N° cicli Max (da -32768 a 32767)".
std::string invalidValue(Field field);
// "Sample N°0" for the row just stored.
std::string sampleStored(int row);
// How the reasons and the list name the sample of row 3: "N°3".
std::string sampleName(int row);

// How the current weights classify a stored sample, for its line in the list:
//   right, output 1, target 1   -> "Classificato correttamente: uscita 1, attesa 1"
//   wrong, output -1, target 1  -> "Classificato in modo errato: uscita -1, attesa 1"
//   wrong, no output (the sum is not finite), target -0.5
//                               -> "Classificato in modo errato: uscita non calcolabile, attesa -0,5"
std::string classification(bool right, std::optional<int> output, float target);

} // namespace vintrelle::messages
