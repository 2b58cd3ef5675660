// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The neuron diagram on its own: the pen of a weight's line, the weights'
// tooltip text, and the lines as they reach the screen.

#include "core/network_state.h"
#include "core/numeric_text.h"
#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "colour_contrast.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QImage>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

using vintrelle::ui::NeuronDiagram;

namespace {

using colour::contrastRatio;
using colour::toLinear;
using window_test::Hue;
using window_test::hueOf;

// Linear light, 0..1, back to an sRGB channel.
double toSrgb(double linear)
{
    const double c = std::clamp(linear, 0.0, 1.0);
    return 255.0 * (c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055);
}

using Matrix = std::array<std::array<double, 3>, 3>;

// How a colour looks with a missing cone type (Machado, Oliveira and
// Fernandes 2009, full severity), in linear RGB.
const Matrix Protanopia{{{0.152286, 1.052583, -0.204868},
                         {0.114503, 0.786281, 0.099216},
                         {-0.003882, -0.048116, 1.051998}}};
const Matrix Deuteranopia{{{0.367322, 0.860646, -0.227968},
                           {0.280085, 0.672501, 0.047413},
                           {-0.011820, 0.042940, 0.968881}}};
const Matrix Tritanopia{{{1.255528, -0.076749, -0.178779},
                         {-0.078411, 0.930809, 0.147602},
                         {0.004733, 0.691367, 0.303900}}};

std::array<double, 3> seenWith(const Matrix &deficiency, const QColor &colour)
{
    const std::array<double, 3> linear{toLinear(colour.red()), toLinear(colour.green()), toLinear(colour.blue())};
    std::array<double, 3> seen{};
    for (std::size_t row = 0; row < 3; ++row)
        seen[row] = toSrgb(deficiency[row][0] * linear[0] + deficiency[row][1] * linear[1]
                           + deficiency[row][2] * linear[2]);
    return seen;
}

double distance(const std::array<double, 3> &a, const std::array<double, 3> &b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// How many pixels of the column through the middle of `line` have `hue`,
// within `reach` pixels above and below the line.
int pixelsAcross(const QImage &image, QLine line, Hue hue, int reach = 8)
{
    const QPoint middle = line.center();
    int count = 0;
    for (int y = middle.y() - reach; y <= middle.y() + reach; ++y)
        if (hueOf(image.pixel(middle.x(), y)) == hue)
            ++count;
    return count;
}

// The colour the window paints around `line`: the commonest one in the rows
// 6 to 10 pixels above and below the middle half of the line, leaving out
// the pixels of either hue (the lines) and those of `hidden` (a label).
QColor groundAround(const QImage &image, QLine line, QRect hidden)
{
    const int left = std::min(line.x1(), line.x2());
    const int width = std::abs(line.dx());
    QHash<QRgb, int> counts;
    for (int x = left + width / 4; x <= left + 3 * width / 4; ++x) {
        const double t = (x - line.x1()) / static_cast<double>(line.dx());
        const int y = static_cast<int>(std::lround(line.y1() + t * line.dy()));
        for (const int dy : {-10, -9, -8, -7, -6, 6, 7, 8, 9, 10}) {
            const QPoint at(x, y + dy);
            if (!image.rect().contains(at) || hidden.adjusted(-1, -1, 1, 1).contains(at))
                continue;
            const QRgb pixel = image.pixel(at);
            if (hueOf(pixel) == Hue::Neither)
                ++counts[pixel];
        }
    }
    if (counts.isEmpty())
        return {};
    return QColor(std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                   [](const auto &a, const auto &b) { return a.second < b.second; })
                      ->first);
}

// Along the middle half of `line`, column by column: how many columns have a
// pixel of `hue` within `reach` rows of the line, out of how many. Columns
// that cross `hidden` (a label over the line) are left out.
std::pair<int, int> columnsCovered(const QImage &image, QLine line, Hue hue, int reach = 2, QRect hidden = {})
{
    const int left = std::min(line.x1(), line.x2());
    const int width = std::abs(line.dx());
    int covered = 0;
    int total = 0;
    for (int x = left + width / 4; x <= left + 3 * width / 4; ++x) {
        const double t = (x - line.x1()) / static_cast<double>(line.dx());
        const int y = static_cast<int>(std::lround(line.y1() + t * line.dy()));
        if (hidden.adjusted(-1, -reach - 1, 1, reach + 1).contains(x, y))
            continue;
        ++total;
        for (int dy = -reach; dy <= reach; ++dy) {
            if (hueOf(image.pixel(x, y + dy)) == hue) {
                ++covered;
                break;
            }
        }
    }
    return {covered, total};
}

} // namespace

class TestNeuronDiagram : public QObject
{
    Q_OBJECT

private slots:
    void penColourFollowsTheSign_data();
    void penColourFollowsTheSign();
    void penWidthGrowsWithTheWeightWithinOneToFourPixels();
    void coloursReadWellOnTheWindowAndWithColourBlindness();

    void weightsTextUsesTheDecimalComma();
    void weightsTextReadsBackAsTheSameWeights();
    void linesEndWhereTheWindowDrawsThem_data();
    void linesEndWhereTheWindowDrawsThem();
    void tooltipOnlyOverTheCircle();
    void screenReadersFindTheCurrentWeights();

    void linesAreDrawnInTheirWeightsColours();
    void negativeWeightsAreDashedTheOthersSolid();
    void heavierWeightDrawsAThickerLine();
};

void TestNeuronDiagram::penColourFollowsTheSign_data()
{
    QTest::addColumn<float>("weight");
    QTest::addColumn<bool>("negative");

    QTest::newRow("zero") << 0.0f << false;
    QTest::newRow("negative zero counts as >= 0") << -0.0f << false;
    QTest::newRow("tiny positive") << 1e-30f << false;
    QTest::newRow("tiny negative") << -1e-30f << true;
    QTest::newRow("one half") << 0.5f << false;
    QTest::newRow("minus one half") << -0.5f << true;
    QTest::newRow("largest float") << std::numeric_limits<float>::max() << false;
    QTest::newRow("lowest float") << std::numeric_limits<float>::lowest() << true;
}

void TestNeuronDiagram::penColourFollowsTheSign()
{
    QFETCH(float, weight);
    QFETCH(bool, negative);
    const QColor expected = negative ? NeuronDiagram::negativeWeightColour() : NeuronDiagram::nonNegativeWeightColour();
    QCOMPARE(NeuronDiagram::weightPen(weight).color(), expected);
}

void TestNeuronDiagram::penWidthGrowsWithTheWeightWithinOneToFourPixels()
{
    const auto width = [](float weight) { return NeuronDiagram::weightPen(weight).widthF(); };

    QCOMPARE(width(0.0f), 1.0);
    QCOMPARE(width(100.0f), 4.0);
    QCOMPARE(width(-100.0f), 4.0);
    QCOMPARE(width(std::numeric_limits<float>::infinity()), 4.0);
    QCOMPARE(width(std::numeric_limits<float>::quiet_NaN()), 1.0);

    // Growing, the same for both signs, and between the limits on the way.
    double previous = width(0.0f);
    bool grew = false;
    for (int step = 1; step <= 40; ++step) {
        const float weight = 0.1f * static_cast<float>(step);
        const double current = width(weight);
        QCOMPARE(width(-weight), current);
        QVERIFY2(current >= previous, qPrintable(QString::number(weight)));
        QVERIFY(current >= 1.0 && current <= 4.0);
        grew = grew || current > previous;
        previous = current;
    }
    QVERIFY(grew);
    // Typical weights, below 1 in size, already differ from one another.
    QVERIFY(width(0.2f) < width(0.8f));
    QVERIFY(width(0.8f) < 4.0);
}

void TestNeuronDiagram::coloursReadWellOnTheWindowAndWithColourBlindness()
{
    const QColor positive = NeuronDiagram::nonNegativeWeightColour();
    const QColor negative = NeuronDiagram::negativeWeightColour();

    // Graphics need a contrast of 3:1 with what surrounds them: here what
    // the window paints beside each line, whatever the desktop's colours.
    vintrelle::ui::Form1 window;
    const auto *diagram = window.findChild<NeuronDiagram *>();
    QVERIFY(diagram != nullptr);
    const QImage image = window.grab().toImage();
    QCOMPARE(image.devicePixelRatio(), 1.0);
    const std::array<QLine, 7> lines = NeuronDiagram::lines();
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        const QPoint offset = diagram->pos();
        const QColor ground = groundAround(image, lines[static_cast<std::size_t>(i)].translated(offset),
                                           diagram->weightLabelRect(i).translated(offset));
        QVERIFY2(ground.isValid(), qPrintable(QStringLiteral("Line%1").arg(i + 1)));
        for (const QColor &line : {positive, negative}) {
            const double ratio = contrastRatio(line, ground);
            QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("%1 beside Line%2 (%3): %4:1")
                                                  .arg(line.name(), QString::number(i + 1), ground.name())
                                                  .arg(ratio, 0, 'f', 2)));
        }
    }

    // Still far apart as seen with each missing cone type; a red and a green
    // of like brightness come within 70 of each other for two of them.
    for (const Matrix *deficiency : {&Protanopia, &Deuteranopia, &Tritanopia}) {
        const double apart = distance(seenWith(*deficiency, positive), seenWith(*deficiency, negative));
        QVERIFY2(apart >= 100.0, qPrintable(QString::number(apart)));
    }
}

void TestNeuronDiagram::weightsTextUsesTheDecimalComma()
{
    NeuronDiagram diagram;
    diagram.setWeights({0.2f, -0.75f, 0.0f, 3.0f, -1e20f, 0.1f + 0.2f});
    QCOMPARE(diagram.weightsText(), QStringLiteral("w0 (bias) = 0,2\n"
                                                   "w1 = -0,75\n"
                                                   "w2 = 0\n"
                                                   "w3 = 3\n"
                                                   "w4 = -100000000000000000000\n"
                                                   "w5 = 0,3"));
}

void TestNeuronDiagram::weightsTextReadsBackAsTheSameWeights()
{
    vintrelle::NetworkState state;
    for (std::uint32_t seed : {1u, 2u, 12345u}) {
        state.reinitialiseWeights(seed);
        NeuronDiagram diagram;
        diagram.setWeights(state.Weights);
        const QStringList lines = diagram.weightsText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), vintrelle::InputCount);
        for (int i = 0; i < vintrelle::InputCount; ++i) {
            const QString prefix = i == 0 ? QStringLiteral("w0 (bias) = ") : QStringLiteral("w%1 = ").arg(i);
            QVERIFY2(lines[i].startsWith(prefix), qPrintable(lines[i]));
            const QString number = lines[i].mid(prefix.size());
            QVERIFY2(!number.contains(QLatin1Char('.')), qPrintable(number));
            const auto value = vintrelle::textToSingle(number.toStdString());
            QVERIFY2(value.has_value(), qPrintable(number));
            QCOMPARE(*value, state.Weights[static_cast<std::size_t>(i)]);
            // No more significant digits than a float needs.
            QString digits = number;
            digits.remove(QLatin1Char('-')).remove(QLatin1Char(','));
            while (digits.startsWith(QLatin1Char('0')))
                digits.remove(0, 1);
            QVERIFY2(digits.size() <= 9, qPrintable(number));
        }
    }
}

void TestNeuronDiagram::linesEndWhereTheWindowDrawsThem_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QLine>("pixels");

    // The window's line table in twips, divided by 15: from the right edge
    // of each input field to the leftmost point of the circle, then from the
    // circle to the output field.
    QTest::newRow("Line1 from the bias") << 0 << QLine(88, 24, 272, 136);
    QTest::newRow("Line2 from X1") << 1 << QLine(88, 56, 272, 136);
    QTest::newRow("Line3 from X2") << 2 << QLine(88, 88, 272, 136);
    QTest::newRow("Line4 from X3") << 3 << QLine(88, 120, 272, 136);
    QTest::newRow("Line5 from X4") << 4 << QLine(88, 152, 272, 136);
    QTest::newRow("Line6 from X5") << 5 << QLine(88, 184, 272, 136);
    QTest::newRow("Line7 to the output") << 6 << QLine(296, 136, 312, 136);
}

void TestNeuronDiagram::linesEndWhereTheWindowDrawsThem()
{
    QFETCH(int, index);
    QFETCH(QLine, pixels);
    QCOMPARE(NeuronDiagram::lines()[static_cast<std::size_t>(index)], pixels);
    // Line1..Line6 meet the circle at its leftmost point.
    if (index < 6) {
        const QRect circle = NeuronDiagram::circle();
        QCOMPARE(pixels.p2().x(), circle.left());
        QVERIFY(std::abs(pixels.p2().y() - circle.center().y()) <= 1);
    }
}

void TestNeuronDiagram::tooltipOnlyOverTheCircle()
{
    NeuronDiagram diagram;
    diagram.setWeights({0.5f, -0.5f, 1.0f, 0.0f, 0.25f, 2.0f});
    const QRect circle = NeuronDiagram::circle();
    QCOMPARE(diagram.toolTipAt(circle.center()), diagram.weightsText());
    QVERIFY(!diagram.weightsText().isEmpty());
    QCOMPARE(diagram.toolTipAt(circle.center() + QPoint(circle.width() / 2 - 2, 0)), diagram.weightsText());
    // The corners of the circle's box lie outside the circle.
    QCOMPARE(diagram.toolTipAt(circle.topLeft()), QString());
    QCOMPARE(diagram.toolTipAt(circle.bottomRight()), QString());
    QCOMPARE(diagram.toolTipAt(NeuronDiagram::lines()[0].center()), QString());
}

void TestNeuronDiagram::screenReadersFindTheCurrentWeights()
{
    NeuronDiagram diagram;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&diagram);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->role(), QAccessible::Graphic);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Schema del neurone"));

    // As the labels show them first, exactly one step away.
    diagram.setWeights({0.5f, -0.5f, 1.0f, 0.0f, 0.25f, 2.0f});
    QVERIFY(accessible->text(QAccessible::Description).startsWith(QStringLiteral("w0 (bias) = 0,50\nw1 = -0,50\n")));
    QCOMPARE(diagram.whatsThis(), diagram.weightsText());
    QVERIFY(diagram.whatsThis().startsWith(QStringLiteral("w0 (bias) = 0,5\nw1 = -0,5\n")));
    QCOMPARE(accessible->text(QAccessible::Help), QString());
    // The same interface, asked again after new weights, tells the new ones.
    diagram.setWeights({-3.0f, 0.53131557f, 0.0f, 0.0f, 0.0f, 0.0f});
    QCOMPARE(QAccessible::queryAccessibleInterface(&diagram), accessible);
    QVERIFY(accessible->text(QAccessible::Description).startsWith(QStringLiteral("w0 (bias) = -3,00\nw1 = 0,53\n")));
    QVERIFY(diagram.whatsThis().startsWith(QStringLiteral("w0 (bias) = -3\nw1 = 0,53131557\n")));
}

void TestNeuronDiagram::linesAreDrawnInTheirWeightsColours()
{
    NeuronDiagram diagram;
    diagram.resize(window_test::designWindowSize);
    const vintrelle::WeightVector weights{1.0f, -1.0f, 0.2f, -2.0f, 0.0f, -0.1f};
    diagram.setWeights(weights);
    for (int i = 0; i < vintrelle::InputCount; ++i)
        QCOMPARE(diagram.linePen(i), NeuronDiagram::weightPen(weights[static_cast<std::size_t>(i)]));

    const QImage image = diagram.grab().toImage();
    const std::array<QLine, 7> lines = NeuronDiagram::lines();
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const Hue expected = weights[i] >= 0.0f ? Hue::Bluish : Hue::Reddish;
        const Hue other = weights[i] >= 0.0f ? Hue::Reddish : Hue::Bluish;
        // A dashed line may have a gap at any one column: look along it.
        QVERIFY2(columnsCovered(image, lines[i], expected, 3).first > 0, qPrintable(QStringLiteral("Line%1").arg(i + 1)));
        QCOMPARE(columnsCovered(image, lines[i], other, 3).first, 0);
    }
    // Line7 carries no weight: neither colour.
    const QPoint middle = lines[6].center();
    QCOMPARE(hueOf(image.pixel(middle)), Hue::Neither);
    QVERIFY(qGray(image.pixel(middle)) < 128);
}

void TestNeuronDiagram::negativeWeightsAreDashedTheOthersSolid()
{
    NeuronDiagram diagram;
    diagram.resize(window_test::designWindowSize);
    // Light and heavy weights of either sign, on lines steep and level.
    const vintrelle::WeightVector weights{-0.1f, 0.1f, -3.0f, 3.0f, -0.0f, -1.0f};
    diagram.setWeights(weights);
    const QImage image = diagram.grab().toImage();
    const std::array<QLine, 7> lines = NeuronDiagram::lines();
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const bool negative = weights[i] < 0.0f;
        const auto [covered, total] = columnsCovered(image, lines[i], negative ? Hue::Reddish : Hue::Bluish, 2,
                                                     diagram.weightLabelRect(static_cast<int>(i)));
        const QString where = QStringLiteral("Line%1: %2 of %3 columns").arg(i + 1).arg(covered).arg(total);
        if (negative) {
            // Gaps: at least a sixth of the line is left open.
            QVERIFY2(covered > 0 && covered <= total * 5 / 6, qPrintable(where));
        } else {
            QVERIFY2(covered == total, qPrintable(where));
        }
    }
}

void TestNeuronDiagram::heavierWeightDrawsAThickerLine()
{
    NeuronDiagram diagram;
    diagram.resize(window_test::designWindowSize);
    // Line3 and Line4 are nearly level, so a column crosses them at about
    // their width.
    diagram.setWeights({0.0f, 0.0f, 0.0f, 3.0f, 0.0f, 0.0f});
    const QImage heavy = diagram.grab().toImage();
    diagram.setWeights({0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    const QImage light = diagram.grab().toImage();

    const QLine line4 = NeuronDiagram::lines()[3];
    const int thick = pixelsAcross(heavy, line4, Hue::Bluish);
    const int thin = pixelsAcross(light, line4, Hue::Bluish);
    QVERIFY2(thick >= thin + 2, qPrintable(QStringLiteral("%1 against %2").arg(thick).arg(thin)));
}

QTEST_MAIN(TestNeuronDiagram)
#include "tst_neuron_diagram.moc"
