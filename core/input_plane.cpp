// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/input_plane.h"

namespace vintrelle {

PlaneAxis planeAxis(double low, double high)
{
    return PlaneAxis{low, high, {low, high}};
}

std::string tickText(double, double)
{
    return {};
}

void InputPlane::setSamples(std::span<const SampleRow> samples)
{
    rows.assign(samples.begin(), samples.end());
}

void InputPlane::setWeights(const WeightVector &w)
{
    weights = w;
}

bool InputPlane::setAxes(int, int)
{
    return false;
}

double InputPlane::heldValue(int) const
{
    return 0.0;
}

std::vector<PlaneLabel> InputPlane::labels() const
{
    return {};
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
    return -static_cast<double>(weights[0]);
}

bool InputPlane::hasLine() const
{
    return false;
}

std::optional<std::array<PlanePoint, 2>> InputPlane::lineInView() const
{
    return std::nullopt;
}

std::vector<PlanePoint> InputPlane::positiveRegion() const
{
    return {};
}

std::string InputPlane::inputName(int input)
{
    return "X" + std::to_string(input);
}

std::string InputPlane::sliceText() const
{
    return {};
}

std::string InputPlane::equationText() const
{
    return {};
}

std::string InputPlane::description() const
{
    return {};
}

void InputPlane::chooseView() {}
void InputPlane::classify() {}

std::string correctionsDescription(std::span<const int>, int)
{
    return {};
}

} // namespace vintrelle
