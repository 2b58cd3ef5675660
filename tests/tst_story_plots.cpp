// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The story window's two plots as they reach the screen: the chosen pass's
// marker where that pass lies and a single pass's spike kept among 32767,
// and on the plane the wrong samples ringed and the line where the sum is 0.

#include "core/training.h"
#include "ui/fonts.h"
#include "ui/pass_curve.h"
#include "ui/plane_plot.h"
#include "ui/sample_plane.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QTest>

#include <cmath>
#include <numbers>
#include <vector>

using vintrelle::ui::PassCurve;
using vintrelle::ui::PlanePlot;
using vintrelle::ui::SamplePlane;
using window_test::Hue;
using window_test::hueOf;

namespace {

constexpr int LongestTraining = 32767;
// The pass that stands out: 4 corrections, every other pass 1 or 2.
constexpr int SpikePass = 30001;

std::vector<int> longTraining()
{
    std::vector<int> counts;
    for (int pass = 1; pass <= LongestTraining; ++pass)
        counts.push_back(pass == SpikePass ? 4 : 1 + pass % 2);
    return counts;
}

// Whether the colour is the dark text of the axes and the line.
bool dark(QRgb pixel)
{
    return qRed(pixel) < 90 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

// How many of 24 points around `centre`, at the ring's distance give or take
// a pixel, are reddish.
int reddishAround(const QImage &image, QPointF centre, double radius)
{
    int count = 0;
    for (int i = 0; i < 24; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / 24.0;
        for (const double r : {radius - 1.0, radius, radius + 1.0}) {
            const QPoint p(static_cast<int>(std::lround(centre.x() + r * std::cos(angle))),
                           static_cast<int>(std::lround(centre.y() + r * std::sin(angle))));
            if (image.rect().contains(p) && hueOf(image.pixel(p)) == Hue::Reddish) {
                ++count;
                break;
            }
        }
    }
    return count;
}

vintrelle::SampleRow sample(float x1, float x2, float target)
{
    return {-1.0f, x1, x2, 0.0f, 0.0f, 0.0f, target};
}

} // namespace

class TestStoryPlots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { vintrelle::ui::installFonts(); }
    void chosenPassIsMarkedWhereItLies();
    void wrongSamplesAreRingedAndTheLineIsWhereTheSumIsZero();
};

void TestStoryPlots::chosenPassIsMarkedWhereItLies()
{
    PassCurve curve;
    curve.resize(420, 200);
    curve.setCorrections(longTraining());
    const QRect area = curve.plotArea();
    QVERIFY(area.width() < LongestTraining);

    for (const int pass : {1, 12345, LongestTraining}) {
        curve.setChosenPass(pass);
        const QImage image = curve.grab().toImage();
        // The marker's columns across the middle of the plot.
        const int y = area.top() + 2;   // above the curve but at the spike
        std::vector<int> marked;
        for (int x = area.left(); x <= area.right() + 1; ++x)
            if (hueOf(image.pixel(x, y)) == Hue::Reddish)
                marked.push_back(x);
        QVERIFY2(!marked.empty(), qPrintable(QStringLiteral("no marker for pass %1").arg(pass)));
        const double middle = (marked.front() + marked.back()) / 2.0;
        // Pass p's share of the axis ends at p / 32767 of its width.
        const double expected = area.left() + (pass - 0.5) / LongestTraining * area.width();
        QVERIFY2(std::fabs(middle - expected) <= 1.5,
                 qPrintable(QStringLiteral("pass %1 marked at %2, not %3").arg(pass).arg(middle).arg(expected)));
        QVERIFY(marked.back() - marked.front() <= 4);
        QVERIFY(curve.accessibleDescription().contains(QStringLiteral("Scelto il ciclo %1:").arg(pass)));
    }

    // The spike's column reaches 4 corrections, its neighbours only 2: the
    // one pass is not lost among the others its column shows.
    curve.setChosenPass(1);
    const QImage image = curve.grab().toImage();
    const double spike = area.left() + (SpikePass - 0.5) / LongestTraining * area.width();
    const double fourHigh = area.bottom() + 1 - 4.0 / 5.0 * area.height();   // the axis runs 0 to 5
    const auto blueNear = [&](double x, double y) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                if (hueOf(image.pixel(static_cast<int>(x) + dx, static_cast<int>(y) + dy)) == Hue::Bluish)
                    return true;
        return false;
    };
    QVERIFY(blueNear(spike, fourHigh));
    QVERIFY(!blueNear(spike - 30, fourHigh));
}

void TestStoryPlots::wrongSamplesAreRingedAndTheLineIsWhereTheSumIsZero()
{
    // The weighted sum is -0,3 + 0,7 x1 + 0,1 x2; the sums below are worked
    // out by hand and lie well away from 0.
    const std::vector<vintrelle::SampleRow> samples{
        sample(0, 0, -1),    // -0,3: right
        sample(0, 1, 1),     // -0,2: wrong
        sample(1, 0, 1),     //  0,4: right
        sample(1, 1, -1),    //  0,5: wrong
        sample(2, 2, 1),     //  1,3: right
        sample(-1, 0, -1),   // -1:   right
        sample(-1, 3, 1),    // -0,7: wrong
        sample(0.5f, -2, 1), // -0,15: wrong
        sample(3, -2, -1),   //  1,6: wrong
        sample(0, -1, -1),   // -0,4: right
        sample(2, -1, 0),    //  0,9: wrong (a target of 0 is never right)
    };
    const std::vector<bool> wrong{false, true, false, true, false, false, true, true, true, false, true};

    SamplePlane plane;
    plane.resize(460, 420);
    plane.setSamples(samples);
    plane.setWeights({0.3f, 0.7f, 0.1f, 0.0f, 0.0f, 0.0f});
    plane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plane));
    PlanePlot *plot = plane.plot();
    const QImage image = plot->grab().toImage();

    for (std::size_t row = 0; row < samples.size(); ++row) {
        const QPointF at = plot->toPixels({samples[row][1], samples[row][2]});
        const int reddish = reddishAround(image, at, 9.5);
        if (wrong[row])
            QVERIFY2(reddish >= 20, qPrintable(QStringLiteral("N°%1 not ringed (%2)").arg(row).arg(reddish)));
        else
            QVERIFY2(reddish <= 6, qPrintable(QStringLiteral("N°%1 ringed (%2)").arg(row).arg(reddish)));
    }

    // On the line 0,7 x1 + 0,1 x2 = 0,3: (3/7, 0) and (0, 3).
    for (const vintrelle::PlanePoint point : {vintrelle::PlanePoint{3.0 / 7.0, 0.0}, vintrelle::PlanePoint{0.0, 3.0}}) {
        const QPoint p = plot->toPixels(point).toPoint();
        QVERIFY2(dark(image.pixel(p)), qPrintable(QStringLiteral("no line at %1, %2").arg(p.x()).arg(p.y())));
    }

    // Not chosen by the user: no axis boxes; the plot is named and reached.
    QVERIFY(!plane.horizontalAxisBox()->isVisible());
    QCOMPARE(plot->focusPolicy(), Qt::StrongFocus);
    QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(plot);
    QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("Piano degli ingressi"));
    QVERIFY(chart->text(QAccessible::Description).contains(QStringLiteral("Sbagliati: N°1, N°3, N°6, N°7, N°8, N°10.")));
}

QTEST_MAIN(TestStoryPlots)
#include "tst_story_plots.moc"
