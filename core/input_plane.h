// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The samples in the plane of two inputs, and the line where the neuron's
// weighted sum is 0: what the story window's plane shows, worked out without
// a toolkit. Inputs are numbered as in the neuron: 0 is the bias input
// (always -1), 1..5 are X1..X5.
//
// Axes. The inputs among X1..X5 whose value is not the same in every sample
// vary. At most two vary: those two are the axes, the lower number across
// (X1, X2 in the usual lesson). One varies: that one and the next (X5 and
// X4 when it is X5: X4 across). None: X1 and X2. More than two: the user
// chooses (axesChosenByUser()), the first two that vary to begin with; the
// same input on both axes is refused.
//   (x1, x2 vary, x3..x5 all 0)             -> X1, X2, not chosen by the user
//   (only x3 varies)                        -> X3, X4
//   (only x5 varies)                        -> X4, X5
//   (x1, x3, x4 vary)                       -> X1, X3, chosen by the user
//
// Slice. The inputs off the axes are held at their common value when they
// do not vary, and at 0 when they do; the caption tells it unless every one
// of them is 0 in every sample:
//   X3 varies, X4, X5 all 0                 -> "Sezione con X3, X4, X5 = 0"
//   X3 = 1 in every sample, X4, X5 all 0    -> "Sezione con X3 = 1; X4, X5 = 0"
//
// The line. With the bias input at -1 and the held inputs at their values h,
// the weighted sum in the plane is a*x + b*y + c, with a and b the weights of
// the two axes and c = -w0 + sum(w_k * h_k), all in double (the exact
// products of the floats, added in double): a drawing, not the neuron's
// float arithmetic. The output is 1 where the sum is >= 0.
//   weights {0.3, 0.7, 0.1, 0, 0, 0}        -> 0.7 x + 0.1 y - 0.3 = 0
//   a = b = 0                               -> no line: the whole plane is
//                                              one side (c >= 0: output 1)
//
// View. The box shown holds every sample with a margin, its edges on ticks:
// at most 7 ticks an axis, 1, 2 or 5 times a power of ten apart. A range of one
// value (a single sample, or all alike) is widened around it.
//   samples x in 0..1                       -> -0,5 .. 1,5, ticks -0,5 0 0,5 1 1,5
//   every x = 1e38                          -> a box around 1e38 still, never
//                                              infinite, never NaN
// The line is clipped to the box in double; it has two end points on the
// box's edges, or none (it misses the box, or there is no line).
//   a = 1, b = 0, c = -0.5, box 0..1 x 0..1 -> (0.5, 0) to (0.5, 1)

#include "core/network_state.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vintrelle {

struct PlanePoint
{
    double x = 0.0;
    double y = 0.0;
    bool operator==(const PlanePoint &) const = default;
};

// One axis of the view: its range and its ticks.
struct PlaneAxis
{
    double low = 0.0;
    double high = 1.0;
    std::vector<double> ticks;
};

// The ticks of an axis covering `low`..`high` (with a margin of a tenth of
// the range each side), and the range they span: the first tick at or below
// the low end, the last at or above the high end.
//   0 .. 1          -> -0,5 0 0,5 1 1,5
//   -3 .. 7         -> -4 -2 0 2 4 6 8
//   5 .. 5          -> 4 4,5 5 5,5 6   (one value: widened by 1 each side)
//   0 .. 1e38       -> -5e37 0 5e37 1e38 1,5e38
PlaneAxis planeAxis(double low, double high);

// A tick's text on an axis whose ticks are `step` apart: the decimal comma,
// as few decimals as the step needs; from 100000 on, or below 0,0001, a
// power of ten ("2e37", "1,2e38", "5e-7").
//   (0.5, 0.5) -> "0,5"   (-6, 2) -> "-6"   (1.2e38, 2e37) -> "1,2e38"   (0, x) -> "0"
std::string tickText(double value, double step);

// A sample as a point of the plane.
struct PlaneSample
{
    int row = 0;               // its row in the store, from 0
    PlanePoint at;             // its two inputs on the axes
    float target = 0.0f;
    std::optional<int> output; // the neuron's output for it (sampleOutput)
    bool right = false;        // classifiedRight: the output has the target's sign
};

// Samples that lie on the same point, labelled together: "N°0, N°4".
struct PlaneLabel
{
    PlanePoint at;
    std::vector<int> rows;
    std::string text;
};

class InputPlane
{
public:
    // The samples as trained; chooses the axes and the view.
    void setSamples(std::span<const SampleRow> samples);
    // The weights: the line, the sides and the classification.
    void setWeights(const WeightVector &weights);
    // The two inputs on the axes, 1..5, different; false (nothing changed)
    // otherwise. Meant for when axesChosenByUser().
    bool setAxes(int horizontal, int vertical);

    int horizontalInput() const { return across; }
    int verticalInput() const { return up; }
    bool axesChosenByUser() const { return userChooses; }
    // The inputs among X1..X5 that vary among the samples, in order.
    const std::vector<int> &varyingInputs() const { return varying; }
    // The value input i (1..5) is held at off the axes.
    double heldValue(int input) const;

    const PlaneAxis &horizontalAxis() const { return horizontal; }
    const PlaneAxis &verticalAxis() const { return vertical; }
    const std::vector<PlaneSample> &samples() const { return points; }
    std::vector<PlaneLabel> labels() const;

    // The weighted sum in the plane: a*x + b*y + c.
    double a() const;
    double b() const;
    double c() const;
    // Whether there is a line: a or b is not 0, and all three are finite.
    bool hasLine() const;
    // The line's two end points on the view's edges; none without a line or
    // when it misses the view.
    std::optional<std::array<PlanePoint, 2>> lineInView() const;
    // The part of the view where the sum is >= 0 (output 1): a convex
    // polygon, corners in order; empty when there is none, the whole view
    // when the sum is >= 0 everywhere in it.
    std::vector<PlanePoint> positiveRegion() const;
    // The rest of the view, where the output is -1.
    std::vector<PlanePoint> negativeRegion() const;

    // "X1", "X2", ...
    static std::string inputName(int input);
    // "Sezione con X3, X4, X5 = 0"; empty when every input off the axes is 0
    // in every sample.
    std::string sliceText() const;
    // "Retta dove la somma pesata è 0: 0,7 × X1 + 0,1 × X2 = 0,3", with the
    // held inputs that are not 0 as terms of their own and the slice in
    // parentheses; or "Nessuna retta: i pesi di X1 e X2 sono 0, l'uscita è 1
    // in tutto il piano".
    std::string equationText() const;
    // For screen readers: the equation, then the samples on each side and
    // the wrong ones:
    //   "Orizzontale X1, verticale X2. Retta dove ... = 0,3. Uscita 1: N°2, N°3.
    //    Uscita -1: N°0, N°1. Sbagliati: N°1, N°3."
    // (", fuori dal riquadro dei campioni" after the equation when the line
    // misses the view; "Nessun campione sbagliato." when none is.)
    std::string description() const;

private:
    void chooseView();
    void classify();
    std::vector<PlanePoint> side(bool positive) const;

    std::vector<SampleRow> rows;
    WeightVector weights{};
    std::vector<int> varying;
    int across = 1;
    int up = 2;
    bool userChooses = false;
    PlaneAxis horizontal = planeAxis(0.0, 1.0);
    PlaneAxis vertical = planeAxis(0.0, 1.0);
    std::vector<PlaneSample> points;
};

// For screen readers, the corrections of each pass and the chosen one.
// Up to 20 passes every one is told:
//   {2, 1, 0}, chosen 2 -> "3 cicli. Ciclo 1: 2 correzioni, ciclo 2: 1,
//                           ciclo 3: 0. Scelto il ciclo 2: 1 correzione."
// Past 20 a summary: the first five and the last five, the largest count and
// its first pass, and how many passes corrected nothing:
//   "21 cicli. Cicli da 1 a 5: 1, 0, 1, 0, 1 correzioni. Cicli da 17 a 21: ...
//    correzioni. Massimo: 9 correzioni, al ciclo 7. Cicli senza correzioni: 10.
//    Scelto il ciclo 21: 1 correzione."
// No passes: "Nessun addestramento."
std::string correctionsDescription(std::span<const int> corrections, int chosenPass);

// The ticks of the corrections axis, from 0 to at least `largest`, whole
// numbers 1, 2 or 5 times a power of ten apart, at most 5 intervals:
//   0 -> 0 1   3 -> 0 1 2 3   7 -> 0 2 4 6 8   11 -> 0 5 10 15
std::vector<int> countTicks(int largest);
// The ticks of the pass axis for passes 1..`passes`, at most `most` of them
// (at least 2): the multiples of a step of 1, 2 or 5 times a power of ten,
// and pass 1 too when the step is 5 or more:
//   (4, 6) -> 1 2 3 4   (10, 6) -> 2 4 6 8 10   (32767, 6) -> 1 10000 20000 30000
std::vector<int> passTicks(int passes, int most);

} // namespace vintrelle
