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

#include <memory>

class TestForm1Scaled : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowKeepsItsSize();
    void controlsKeepTheirPlaces_data();
    void controlsKeepTheirPlaces();
    void grabHasTwiceTheDevicePixels();
    void diagramIsDrawnAtTheScale();
    void weightLabelsReadWellAndOverlapNothing();

private:
    std::unique_ptr<vintrelle::ui::Form1> form;
};

void TestForm1Scaled::initTestCase()
{
    vintrelle::ui::setUpApplication();
    // Without the scale every check below would hold trivially.
    QCOMPARE(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
}

void TestForm1Scaled::init()
{
    form = std::make_unique<vintrelle::ui::Form1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestForm1Scaled::cleanup()
{
    form.reset();
}

void TestForm1Scaled::windowKeepsItsSize()
{
    QCOMPARE(form->size(), QSize(366, 342));
    QVERIFY(form->windowHandle() != nullptr);
    QCOMPARE(form->windowHandle()->devicePixelRatio(), 2.0);
    QCOMPARE(form->devicePixelRatioF(), 2.0);
}

void TestForm1Scaled::controlsKeepTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");

    // The layout at scale 1: design twips divided by 15, both edges rounded.
    QTest::newRow("bias input") << "Txt0" << QRect(64, 8, 25, 25);
    QTest::newRow("input X1") << "Txt1" << QRect(32, 40, 57, 23);
    QTest::newRow("input X2") << "Txt2" << QRect(32, 72, 57, 24);
    QTest::newRow("input X3") << "Txt3" << QRect(32, 104, 57, 24);
    QTest::newRow("input X4") << "Txt4" << QRect(32, 136, 57, 24);
    QTest::newRow("input X5") << "Txt5" << QRect(32, 168, 57, 24);
    QTest::newRow("output field") << "txtOut" << QRect(312, 128, 33, 20);
    QTest::newRow("aggiungi") << "Command3" << QRect(288, 216, 73, 17);
    QTest::newRow("Calcola") << "Command1" << QRect(280, 160, 73, 17);
    QTest::newRow("Addestra") << "Command2" << QRect(280, 96, 73, 17);
    QTest::newRow("Reset") << "Command4" << QRect(288, 320, 73, 17);
    QTest::newRow("sample list") << "List1" << QRect(8, 216, 273, 99);
    QTest::newRow("Reinizializza Pesi") << "Command5" << QRect(288, 288, 73, 25);
    QTest::newRow("Rimuovi") << "Command6" << QRect(288, 240, 73, 17);
    QTest::newRow("learning rate") << "Text1" << QRect(296, 32, 57, 19);
    QTest::newRow("cycle limit") << "Text2" << QRect(296, 8, 57, 19);
    QTest::newRow("Bias caption") << "Label2" << QRect(32, 8, 33, 25);
    QTest::newRow("X1 caption") << "Label3" << QRect(8, 40, 17, 17);
    QTest::newRow("X2 caption") << "Label4" << QRect(8, 72, 17, 17);
    QTest::newRow("X3 caption") << "Label5" << QRect(8, 104, 17, 17);
    QTest::newRow("X4 caption") << "Label6" << QRect(8, 136, 17, 17);
    QTest::newRow("X5 caption") << "Label7" << QRect(8, 168, 17, 17);
    QTest::newRow("Sample caption") << "Label8" << QRect(8, 200, 57, 17);
    QTest::newRow("cycle limit caption") << "Label11" << QRect(216, 8, 81, 17);
    QTest::newRow("Eta caption") << "Label10" << QRect(264, 32, 33, 17);
    QTest::newRow("pass display") << "Label9" << QRect(232, 72, 121, 17);
    QTest::newRow("status line") << "Label1" << QRect(8, 320, 273, 17);
    QTest::newRow("neuron diagram") << "NeuronDiagram" << QRect(0, 0, 366, 342);
}

void TestForm1Scaled::controlsKeepTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    const auto *widget = form->findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), pixels);
}

void TestForm1Scaled::grabHasTwiceTheDevicePixels()
{
    const QImage image = form->grab().toImage();
    QCOMPARE(image.devicePixelRatio(), 2.0);
    QCOMPARE(image.size(), QSize(732, 684));

    // The status line's light yellow fills its whole box in device pixels:
    // both inner corners of its right end.
    const QColor lightYellow(255, 255, 192);
    const QRect status = form->findChild<QLabel *>(QStringLiteral("Label1"))->geometry();
    QCOMPARE(image.pixelColor(2 * status.right() + 1, 2 * status.top()), lightYellow);
    QCOMPARE(image.pixelColor(2 * status.right() + 1, 2 * status.bottom() + 1), lightYellow);
    // And ends there: the pixel right of it is the window's own grey.
    QVERIFY(image.pixelColor(2 * status.right() + 2, 2 * status.center().y()) != lightYellow);
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
            const QRgb pixel = image.pixel(middle.x(), y);
            if (qBlue(pixel) > qRed(pixel) + 40)
                ++tinged;
        }
        // A line at least one device-independent pixel wide covers at least
        // two device pixels across.
        QVERIFY2(tinged >= 2, qPrintable(QStringLiteral("Line%1: %2").arg(i + 1).arg(tinged)));
    }
}

void TestForm1Scaled::weightLabelsReadWellAndOverlapNothing()
{
    QCOMPARE(window_test::weightLabelProblems(*form), QStringList());
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
