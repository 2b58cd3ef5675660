// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The window on a high-density screen: Qt scales everything by 2. Every
// control keeps its place in device-independent pixels, and the window is
// drawn with twice as many device pixels each way.
//
// The scale factor is set before the application is created; ctest sets it
// too (QT_SCALE_FACTOR=2).

#include "ui/application_setup.h"
#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "window_test_support.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWindow>

using namespace window_test;

class TestForm1Scaled : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowKeepsItsSize();
    void controlsKeepTheirPlaces_data();
    void controlsKeepTheirPlaces();
    void grabHasTwiceTheDevicePixels();
    void diagramIsDrawnAtTheScale();
    void weightLabelsReadWellAndOverlapNothing();
};

void TestForm1Scaled::initTestCase()
{
    vintrelle::ui::setUpApplication();
    // Without the scale every check below would hold trivially.
    QCOMPARE(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
}

void TestForm1Scaled::windowKeepsItsSize()
{
    QCOMPARE(form->size(), designWindowSize);
    QVERIFY(form->windowHandle() != nullptr);
    QCOMPARE(form->windowHandle()->devicePixelRatio(), 2.0);
    QCOMPARE(form->devicePixelRatioF(), 2.0);
}

void TestForm1Scaled::controlsKeepTheirPlaces_data()
{
    // The same places as at scale 1, in device-independent pixels.
    addDesignLayoutRows();
}

void TestForm1Scaled::controlsKeepTheirPlaces()
{
    compareWithTheDesignPlace();
}

void TestForm1Scaled::grabHasTwiceTheDevicePixels()
{
    const QImage image = form->grab().toImage();
    QCOMPARE(image.devicePixelRatio(), 2.0);
    QCOMPARE(image.size(), designWindowSize * 2);

    // The status line's light yellow fills its whole box in device pixels:
    // both inner corners of its right end.
    const QRect status = form->findChild<QLabel *>(QStringLiteral("Label1"))->geometry();
    QCOMPARE(image.pixelColor(2 * status.right() + 1, 2 * status.top()), designLightYellow);
    QCOMPARE(image.pixelColor(2 * status.right() + 1, 2 * status.bottom() + 1), designLightYellow);
    // And ends there: the pixel right of it is the window's own grey.
    QVERIFY(image.pixelColor(2 * status.right() + 2, 2 * status.center().y()) != designLightYellow);
}

void TestForm1Scaled::diagramIsDrawnAtTheScale()
{
    using vintrelle::ui::NeuronDiagram;
    const QImage image = form->grab().toImage();
    // Fresh weights are >= 0: each of Line1..Line6 is blue-tinged where its
    // middle lies at twice its window coordinates.
    const std::array<QLine, 7> lines = NeuronDiagram::lines();
    for (std::size_t i = 0; i < 6; ++i) {
        const QPoint middle = lines[i].center() * 2;
        int tinged = 0;
        for (int y = middle.y() - 6; y <= middle.y() + 6; ++y) {
            if (hueOf(image.pixel(middle.x(), y)) == Hue::Bluish)
                ++tinged;
        }
        // A line at least one device-independent pixel wide covers at least
        // two device pixels across.
        QVERIFY2(tinged >= 2, qPrintable(QStringLiteral("Line%1: %2").arg(i + 1).arg(tinged)));
    }
}

void TestForm1Scaled::weightLabelsReadWellAndOverlapNothing()
{
    QCOMPARE(weightLabelProblems(*form), QStringList());
}

int main(int argc, char *argv[])
{
    // Twice the scale unless told otherwise (ctest runs the labels' check
    // at 1.5 too).
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestForm1Scaled test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1_scaled.moc"
