// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/input_plane.h"

#include "core/numeric_text.h"
#include "core/training.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vintrelle {

namespace {

// The most intervals an axis is cut into.
constexpr double MostIntervals = 6.0;
// A tick of this step or larger, or smaller than the other, is written with
// a power of ten.
constexpr double LargestPlainStep = 1e5;
constexpr double SmallestPlainStep = 1e-4;
// Up to this many passes the description tells each one.
constexpr std::size_t PassesToldOneByOne = 20;
// Past it, the first and the last passes told.
constexpr std::size_t PassesAtEachEnd = 5;

// floor(log10(x)) for x > 0, safe from log10's rounding at exact powers.
int decimalExponent(double x)
{
    int e = static_cast<int>(std::floor(std::log10(x)));
    if (std::pow(10.0, e + 1) <= x)
        ++e;
    else if (std::pow(10.0, e) > x)
        --e;
    return e;
}

// `value` with `decimals` decimals, trailing zeros dropped, the comma.
std::string fixedText(double value, int decimals)
{
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    std::replace(text.begin(), text.end(), '.', ',');
    if (text == "-0")
        text = "0";
    return text;
}

// A weight or an input as a term of an equation: "0,5", never "-0".
std::string numberText(float value)
{
    return value == 0.0f ? std::string("0") : singleToText(value);
}

std::string rowsText(const std::vector<int> &rows)
{
    std::string text;
    for (const int row : rows) {
        if (!text.empty())
            text += ", ";
        text += "N°" + integerToText(row);
    }
    return text;
}

std::string correctionsText(int count)
{
    return integerToText(count) + (count == 1 ? " correzione" : " correzioni");
}

} // namespace

PlaneAxis planeAxis(double low, double high)
{
    if (!std::isfinite(low) || !std::isfinite(high))
        return planeAxis(-1.0, 1.0);
    if (low > high)
        std::swap(low, high);
    if (low == high) {
        const double widening = std::max(1.0, std::fabs(low) * 0.1);
        low -= widening;
        high += widening;
    } else {
        const double margin = (high - low) / 10.0;
        low -= margin;
        high += margin;
    }
    // The smallest step of 1, 2 or 5 times a power of ten that cuts the range
    // in at most MostIntervals.
    const double base = std::pow(10.0, decimalExponent((high - low) / MostIntervals));
    double step = base;
    for (const double factor : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0}) {
        step = base * factor;
        if (std::ceil(high / step) - std::floor(low / step) <= MostIntervals)
            break;
    }
    PlaneAxis axis;
    const double first = std::floor(low / step);
    const double last = std::ceil(high / step);
    for (double k = first; k <= last; k += 1.0)
        axis.ticks.push_back(k * step);
    axis.low = axis.ticks.front();
    axis.high = axis.ticks.back();
    return axis;
}

std::string tickText(double value, double step)
{
    step = std::fabs(step);
    if (!std::isfinite(value) || !(step > 0.0) || !std::isfinite(step))
        return fixedText(value, 0);
    // A tick at 0 may come out a hair away from it.
    if (std::fabs(value) < step * 1e-6)
        return "0";
    const int stepExponent = decimalExponent(step);
    if (step < LargestPlainStep && step >= SmallestPlainStep)
        return fixedText(value, std::max(0, -stepExponent));
    int exponent = decimalExponent(std::fabs(value));
    int decimals = std::max(0, exponent - stepExponent);
    double mantissa = value / std::pow(10.0, exponent);
    // 9,96e5 to one decimal is 10e5: written 1e6.
    if (std::fabs(std::round(mantissa * std::pow(10.0, decimals))) >= 10.0 * std::pow(10.0, decimals)) {
        ++exponent;
        decimals = std::max(0, exponent - stepExponent);
        mantissa = value / std::pow(10.0, exponent);
    }
    return fixedText(mantissa, decimals) + "e" + integerToText(exponent);
}

void InputPlane::setSamples(std::span<const SampleRow> samples)
{
    rows.assign(samples.begin(), samples.end());
    varying.clear();
    for (int input = 1; input < InputCount; ++input) {
        const auto index = static_cast<std::size_t>(input);
        const bool varies = std::any_of(rows.begin(), rows.end(),
                                        [&](const SampleRow &row) { return row[index] != rows.front()[index]; });
        if (varies)
            varying.push_back(input);
    }
    userChooses = varying.size() > 2;
    if (varying.size() >= 2) {
        across = varying[0];
        up = varying[1];
    } else if (varying.size() == 1) {
        across = varying[0] < InputCount - 1 ? varying[0] : varying[0] - 1;
        up = across + 1;
    } else {
        across = 1;
        up = 2;
    }
    chooseView();
    classify();
}

void InputPlane::setWeights(const WeightVector &newWeights)
{
    weights = newWeights;
    classify();
}

bool InputPlane::setAxes(int newHorizontal, int newVertical)
{
    const auto valid = [](int input) { return input >= 1 && input < InputCount; };
    if (!valid(newHorizontal) || !valid(newVertical) || newHorizontal == newVertical)
        return false;
    across = newHorizontal;
    up = newVertical;
    chooseView();
    classify();
    return true;
}

double InputPlane::heldValue(int input) const
{
    if (input < 1 || input >= InputCount || rows.empty()
        || std::find(varying.begin(), varying.end(), input) != varying.end())
        return 0.0;
    return rows.front()[static_cast<std::size_t>(input)];
}

void InputPlane::chooseView()
{
    if (rows.empty()) {
        horizontal = planeAxis(0.0, 1.0);
        vertical = planeAxis(0.0, 1.0);
        return;
    }
    const auto range = [this](int input) {
        const auto index = static_cast<std::size_t>(input);
        const auto [low, high] = std::minmax_element(
            rows.begin(), rows.end(), [index](const SampleRow &l, const SampleRow &r) { return l[index] < r[index]; });
        return planeAxis((*low)[index], (*high)[index]);
    };
    horizontal = range(across);
    vertical = range(up);
}

void InputPlane::classify()
{
    points.clear();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const SampleRow &row = rows[r];
        PlaneSample sample;
        sample.row = static_cast<int>(r);
        sample.at = {row[static_cast<std::size_t>(across)], row[static_cast<std::size_t>(up)]};
        sample.target = row[TargetColumn];
        sample.output = sampleOutput(weights, row);
        sample.right = classifiedRight(weights, row);
        points.push_back(sample);
    }
}

std::vector<PlaneLabel> InputPlane::labels() const
{
    std::vector<PlaneLabel> labels;
    for (const PlaneSample &sample : points) {
        const auto same = std::find_if(labels.begin(), labels.end(),
                                       [&](const PlaneLabel &label) { return label.at == sample.at; });
        if (same != labels.end())
            same->rows.push_back(sample.row);
        else
            labels.push_back(PlaneLabel{sample.at, {sample.row}, {}});
    }
    for (PlaneLabel &label : labels)
        label.text = rowsText(label.rows);
    return labels;
}

double InputPlane::a() const
{
    return weights[static_cast<std::size_t>(across)];
}

double InputPlane::b() const
{
    return weights[static_cast<std::size_t>(up)];
}

double InputPlane::c() const
{
    // The bias input is -1.
    double sum = -static_cast<double>(weights[0]);
    for (int input = 1; input < InputCount; ++input) {
        if (input != across && input != up)
            sum += static_cast<double>(weights[static_cast<std::size_t>(input)]) * heldValue(input);
    }
    return sum;
}

bool InputPlane::hasLine() const
{
    return std::isfinite(a()) && std::isfinite(b()) && std::isfinite(c()) && (a() != 0.0 || b() != 0.0);
}

std::optional<std::array<PlanePoint, 2>> InputPlane::lineInView() const
{
    if (!hasLine())
        return std::nullopt;
    const double la = a();
    const double lb = b();
    const double lc = c();
    std::vector<PlanePoint> crossings;
    const auto add = [&](double x, double y) {
        if (std::isfinite(x) && std::isfinite(y) && x >= horizontal.low && x <= horizontal.high
            && y >= vertical.low && y <= vertical.high)
            crossings.push_back({x, y});
    };
    if (lb != 0.0) {
        for (const double x : {horizontal.low, horizontal.high})
            add(x, -(la * x + lc) / lb);
    }
    if (la != 0.0) {
        for (const double y : {vertical.low, vertical.high})
            add(-(lb * y + lc) / la, y);
    }
    // The two crossings farthest apart (a corner is found twice).
    std::optional<std::array<PlanePoint, 2>> ends;
    double farthest = 0.0;
    for (std::size_t i = 0; i < crossings.size(); ++i) {
        for (std::size_t j = i + 1; j < crossings.size(); ++j) {
            const double dx = (crossings[j].x - crossings[i].x) / (horizontal.high - horizontal.low);
            const double dy = (crossings[j].y - crossings[i].y) / (vertical.high - vertical.low);
            const double distance = dx * dx + dy * dy;
            if (distance > farthest) {
                farthest = distance;
                ends = std::array<PlanePoint, 2>{crossings[i], crossings[j]};
            }
        }
    }
    return ends;
}

std::vector<PlanePoint> InputPlane::positiveRegion() const
{
    return side(true);
}

std::vector<PlanePoint> InputPlane::negativeRegion() const
{
    return side(false);
}

std::vector<PlanePoint> InputPlane::side(bool positive) const
{
    const std::array<PlanePoint, 4> corners{PlanePoint{horizontal.low, vertical.low},
                                            PlanePoint{horizontal.high, vertical.low},
                                            PlanePoint{horizontal.high, vertical.high},
                                            PlanePoint{horizontal.low, vertical.high}};
    if (!hasLine()) {
        if (std::isfinite(c()) && (c() >= 0.0) == positive)
            return {corners.begin(), corners.end()};
        return {};
    }
    const double la = a();
    const double lb = b();
    const double lc = c();
    const auto sum = [&](PlanePoint p) {
        const double s = la * p.x + lb * p.y + lc;
        return positive ? s : -s;
    };
    std::vector<PlanePoint> region;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const PlanePoint p = corners[i];
        const PlanePoint q = corners[(i + 1) % corners.size()];
        const double sp = sum(p);
        const double sq = sum(q);
        const auto inside = [positive](double s) { return positive ? s >= 0.0 : s > 0.0; };
        if (inside(sp))
            region.push_back(p);
        if (inside(sp) != inside(sq)) {
            const double t = sp / (sp - sq);
            region.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return region;
}

std::string InputPlane::inputName(int input)
{
    return "X" + integerToText(input);
}

// "X3, X4, X5 = 0", "X3 = 1; X4, X5 = 0": the inputs off the axes grouped by
// the value they are held at; empty when all of them are 0 in every sample.
static std::string heldInputsText(const InputPlane &plane)
{
    std::vector<std::pair<double, std::vector<int>>> groups;
    bool allZero = true;
    for (int input = 1; input < InputCount; ++input) {
        if (input == plane.horizontalInput() || input == plane.verticalInput())
            continue;
        const double value = plane.heldValue(input);
        const bool varies = std::find(plane.varyingInputs().begin(), plane.varyingInputs().end(), input)
            != plane.varyingInputs().end();
        if (varies || value != 0.0)
            allZero = false;
        const auto group = std::find_if(groups.begin(), groups.end(),
                                        [value](const auto &g) { return g.first == value; });
        if (group != groups.end())
            group->second.push_back(input);
        else
            groups.push_back({value, {input}});
    }
    if (allZero)
        return {};
    std::string text;
    for (const auto &[value, inputs] : groups) {
        if (!text.empty())
            text += "; ";
        for (std::size_t i = 0; i < inputs.size(); ++i)
            text += (i > 0 ? ", " : "") + InputPlane::inputName(inputs[i]);
        text += " = " + numberText(static_cast<float>(value));
    }
    return text;
}

std::string InputPlane::sliceText() const
{
    const std::string held = heldInputsText(*this);
    return held.empty() ? held : "Sezione con " + held;
}

std::string InputPlane::equationText() const
{
    const float wa = weights[static_cast<std::size_t>(across)];
    const float wb = weights[static_cast<std::size_t>(up)];
    if (!std::isfinite(a()) || !std::isfinite(b()) || !std::isfinite(c()))
        return "Nessuna retta: i pesi non sono numeri finiti";
    const std::string pair = inputName(across) + " e " + inputName(up);
    if (!hasLine()) {
        return "Nessuna retta: i pesi di " + pair + " sono 0, l'uscita è " + (c() >= 0.0 ? "1" : "-1")
            + " in tutto il piano";
    }
    std::string text = "Retta dove la somma pesata è 0: " + numberText(wa) + " × " + inputName(across);
    const auto term = [&text](float weight, int input) {
        text += weight < 0.0f ? " - " : " + ";
        text += numberText(std::fabs(weight)) + " × " + inputName(input);
    };
    term(wb, up);
    for (int input = 1; input < InputCount; ++input) {
        const float weight = weights[static_cast<std::size_t>(input)];
        if (input != across && input != up && heldValue(input) != 0.0 && weight != 0.0f)
            term(weight, input);
    }
    text += " = " + numberText(weights[0]);
    if (const std::string held = heldInputsText(*this); !held.empty())
        text += " (con " + held + ")";
    return text;
}

std::string InputPlane::description() const
{
    std::string text = "Orizzontale " + inputName(across) + ", verticale " + inputName(up) + ". " + equationText();
    if (hasLine() && !lineInView())
        text += ", fuori dal riquadro dei campioni";
    text += ".";
    if (points.empty())
        return text + " Nessun campione.";
    std::vector<int> positive;
    std::vector<int> negative;
    std::vector<int> notFinite;
    std::vector<int> wrong;
    for (const PlaneSample &sample : points) {
        if (!sample.output)
            notFinite.push_back(sample.row);
        else if (*sample.output > 0)
            positive.push_back(sample.row);
        else
            negative.push_back(sample.row);
        if (!sample.right)
            wrong.push_back(sample.row);
    }
    if (!positive.empty())
        text += " Uscita 1: " + rowsText(positive) + ".";
    if (!negative.empty())
        text += " Uscita -1: " + rowsText(negative) + ".";
    if (!notFinite.empty())
        text += " Somma non finita: " + rowsText(notFinite) + ".";
    text += wrong.empty() ? std::string(" Nessun campione sbagliato.") : " Sbagliati: " + rowsText(wrong) + ".";
    return text;
}

std::string correctionsDescription(std::span<const int> corrections, int chosenPass)
{
    if (corrections.empty())
        return "Nessun addestramento.";
    const std::size_t count = corrections.size();
    std::string text = integerToText(static_cast<long long>(count)) + (count == 1 ? " ciclo. " : " cicli. ");
    if (count <= PassesToldOneByOne) {
        for (std::size_t i = 0; i < count; ++i) {
            text += i == 0 ? "Ciclo 1: " + correctionsText(corrections[0])
                           : ", ciclo " + integerToText(static_cast<long long>(i + 1)) + ": "
                    + integerToText(corrections[i]);
        }
        text += ".";
    } else {
        const auto run = [&](std::size_t first) {
            std::string part = "Cicli da " + integerToText(static_cast<long long>(first + 1)) + " a "
                + integerToText(static_cast<long long>(first + PassesAtEachEnd)) + ": ";
            for (std::size_t i = first; i < first + PassesAtEachEnd; ++i)
                part += (i > first ? ", " : "") + integerToText(corrections[i]);
            return part + " correzioni.";
        };
        text += run(0) + " " + run(count - PassesAtEachEnd);
        const auto most = std::max_element(corrections.begin(), corrections.end());
        text += " Massimo: " + correctionsText(*most) + ", al ciclo "
            + integerToText(static_cast<long long>(most - corrections.begin() + 1)) + ".";
        const auto none = std::count(corrections.begin(), corrections.end(), 0);
        text += " Cicli senza correzioni: " + integerToText(static_cast<long long>(none)) + ".";
    }
    if (chosenPass >= 1 && static_cast<std::size_t>(chosenPass) <= count) {
        text += " Scelto il ciclo " + integerToText(chosenPass) + ": "
            + correctionsText(corrections[static_cast<std::size_t>(chosenPass - 1)]) + ".";
    }
    return text;
}

} // namespace vintrelle

namespace vintrelle {

namespace {

// The steps 1, 2, 5, 10, 20, 50, ... in turn, from 1.
long long nextStep(long long step)
{
    long long power = 1;
    while (power * 10 <= step)
        power *= 10;
    const long long mantissa = step / power;
    return (mantissa == 1 ? 2 : mantissa == 2 ? 5 : 10) * power;
}

} // namespace

std::vector<int> countTicks(int largest)
{
    largest = std::max(largest, 1);
    long long step = 1;
    while ((largest + step - 1) / step > 5)
        step = nextStep(step);
    std::vector<int> ticks;
    for (long long tick = 0; tick < largest + step; tick += step)
        ticks.push_back(static_cast<int>(tick));
    return ticks;
}

std::vector<int> passTicks(int passes, int most)
{
    passes = std::max(passes, 1);
    most = std::max(most, 2);
    long long step = 1;
    const auto count = [passes](long long s) { return passes / s + (s >= 5 ? 1 : 0); };
    while (count(step) > most)
        step = nextStep(step);
    std::vector<int> ticks;
    if (step >= 5)
        ticks.push_back(1);
    for (long long tick = step; tick <= passes; tick += step)
        ticks.push_back(static_cast<int>(tick));
    return ticks;
}

} // namespace vintrelle
