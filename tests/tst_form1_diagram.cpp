// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// What the neuron learned, as the window shows it: the weights on the
// diagram's lines, in its tooltip and labels, each sample line marked right or
// wrong by them, and the status line telling why a training ended.

#include "core/messages.h"
#include "core/numeric_text.h"
#include "ui/classification_delegate.h"
#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "ui/sample_list.h"
#include "ui/status_line.h"
#include "verdict/explanation.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

using namespace window_test;
namespace messages = vintrelle::messages;

namespace {

// The weights a tooltip or description lists, "w0 = 0,25" one a line, read
// back; an empty result when a line is not in that form.
std::vector<float> listedWeights(const QString &text)
{
    std::vector<float> weights;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString prefix = i == 0 ? QStringLiteral("w0 (bias) = ") : QStringLiteral("w%1 = ").arg(i);
        if (!lines[i].startsWith(prefix))
            return {};
        const auto value = vintrelle::textToSingle(lines[i].mid(prefix.size()).toStdString());
        if (!value)
            return {};
        weights.push_back(*value);
    }
    return weights;
}

} // namespace

class TestForm1Diagram : public WindowTest
{
    Q_OBJECT

private slots:
    // The weights on the diagram
    void diagramShowsTheWeightsFromStartUp();
    void diagramFollowsATrainingThatTurnsAWeightNegative();
    void diagramFollowsReinitialiseAndReset();
    void diagramFollowsATrainingStoppedByOverflow();
    void weightsTooltipOverTheCircle();
    void weightLabelsReadWellAndOverlapNothing();

    // What the neuron learned
    void listMarksAgreeWithCalcola();
    void statusTooltipTellsWhyTrainingStopped();

private:
    // The diagram shows the window's weights, each line in its sign's colour,
    // on screen too.
    void verifyDiagramShowsTheWeights();
    // Two samples that training can only satisfy with weight 1 below weight
    // 0 and weight 0 not above 0: Line2 turns negative.
    void addSamplesNeedingANegativeWeight();
};

void TestForm1Diagram::verifyDiagramShowsTheWeights()
{
    using vintrelle::ui::NeuronDiagram;
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    QVERIFY(diagram()->weights() == weights);

    const QImage image = form->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const std::array<QLine, 7> lines = NeuronDiagram::lines();
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const bool negative = weights[i] < 0.0f;
        const QString line = QStringLiteral("Line%1, weight %2").arg(i + 1).arg(double(weights[i]));
        QVERIFY2(diagram()->linePen(static_cast<int>(i)).color()
                     == (negative ? NeuronDiagram::negativeWeightColour() : NeuronDiagram::nonNegativeWeightColour()),
                 qPrintable(line));
        // Down the columns through the middle of the line (more than one: a
        // dashed line has gaps).
        bool expectedTint = false;
        bool otherTint = false;
        const QLineF along(lines[i]);
        for (int step = -6; step <= 6; ++step) {
            const QPointF centre = along.pointAt(0.5 + step / along.length());
            for (int y = -3; y <= 3; ++y) {
                const QRgb pixel = image.pixel(((centre + QPointF(0, y)) * ratio).toPoint());
                const Hue hue = hueOf(pixel);
                expectedTint = expectedTint || hue == hueOfWeight(weights[i]);
                otherTint = otherTint || (hue != Hue::Neither && hue != hueOfWeight(weights[i]));
            }
        }
        QVERIFY2(expectedTint && !otherTint, qPrintable(line));
    }
}

void TestForm1Diagram::addSamplesNeedingANegativeWeight()
{
    // Five zeros want 1: -w0 >= 0. X1 = 1 wants -1: w1 < w0.
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Down);
    QCOMPARE(form->sampleStore().count(), 2);
}

// ---------------------------------------------------------------------------
// The weights on the diagram

void TestForm1Diagram::diagramShowsTheWeightsFromStartUp()
{
    QVERIFY(diagram() != nullptr);
    verifyDiagramShowsTheWeights();
    if (QTest::currentTestFailed())
        return;
    // Fresh weights are in [0, 1): every line in the colour of a weight >= 0.
    for (int i = 0; i < vintrelle::InputCount; ++i)
        QCOMPARE(diagram()->linePen(i).color(), vintrelle::ui::NeuronDiagram::nonNegativeWeightColour());
    // Screen readers find the weights as shown in the diagram's description;
    // Shift+F1 shows them exactly.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(diagram());
    QCOMPARE(accessible->text(QAccessible::Description), diagram()->shownWeightsText());
    const std::vector<float> described = listedWeights(diagram()->whatsThis());
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    QVERIFY(described == std::vector<float>(weights.begin(), weights.end()));
}

void TestForm1Diagram::diagramFollowsATrainingThatTurnsAWeightNegative()
{
    addSamplesNeedingANegativeWeight();
    click("Command2");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Addestata"));
    QVERIFY(form->networkState().Weights[1] < 0.0f);
    verifyDiagramShowsTheWeights();
    QCOMPARE(diagram()->linePen(1).color(), vintrelle::ui::NeuronDiagram::negativeWeightColour());
}

void TestForm1Diagram::diagramFollowsReinitialiseAndReset()
{
    addSamplesNeedingANegativeWeight();
    click("Command2");
    QVERIFY(form->networkState().Weights[1] < 0.0f);

    // New weights: all >= 0 again, and shown.
    click("Command5");
    QVERIFY(form->networkState().Weights[1] >= 0.0f);
    verifyDiagramShowsTheWeights();
    if (QTest::currentTestFailed())
        return;

    click("Command2");
    QVERIFY(form->networkState().Weights[1] < 0.0f);
    click("Command4");
    QVERIFY(form->networkState().Weights[1] >= 0.0f);
    verifyDiagramShowsTheWeights();
}

void TestForm1Diagram::diagramFollowsATrainingStoppedByOverflow()
{
    // The first sample (five zeros, wanting 1) moves weight 0 by -2 * eta;
    // the second, with X1 = 1e20 wanting -1, then overflows weight 1.
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"100000000000000000000", "0", "0", "0", "0"}, Qt::Key_Down);
    typeLearningRate(QStringLiteral("1000000000000000000000000000000000000"));
    const vintrelle::WeightVector before = form->networkState().Weights;
    click("Command2");

    QCOMPARE(label("Label1")->text(), QStringLiteral("Addestramento interrotto: overflow numerico"));
    QVERIFY(form->networkState().Weights != before);
    QVERIFY(form->networkState().Weights[0] < 0.0f);
    verifyDiagramShowsTheWeights();
}

void TestForm1Diagram::weightsTooltipOverTheCircle()
{
    using vintrelle::ui::NeuronDiagram;
    addSamplesNeedingANegativeWeight();
    click("Command2");

    // Tooltip events go to the widget under the mouse.
    const QPoint centre = diagram()->mapTo(form.get(), NeuronDiagram::circle().center());
    QCOMPARE(form->childAt(centre), diagram());
    QHelpEvent overCircle(QEvent::ToolTip, NeuronDiagram::circle().center(), form->mapToGlobal(centre));
    QApplication::sendEvent(diagram(), &overCircle);
    QTRY_VERIFY(QToolTip::isVisible());
    const std::vector<float> listed = listedWeights(QToolTip::text());
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    QVERIFY2(listed == std::vector<float>(weights.begin(), weights.end()), qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("w1 = -")));
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());

    // Elsewhere over the diagram the window has no tooltip.
    const QPoint onLine = NeuronDiagram::lines()[0].center();
    QCOMPARE(form->childAt(diagram()->mapTo(form.get(), onLine)), diagram());
    QHelpEvent overLine(QEvent::ToolTip, onLine, diagram()->mapToGlobal(onLine));
    QApplication::sendEvent(diagram(), &overLine);
    QVERIFY(!overLine.isAccepted());
    QTest::qWait(50);
    QVERIFY(!QToolTip::isVisible());
}

void TestForm1Diagram::weightLabelsReadWellAndOverlapNothing()
{
    // Fresh weights, negative ones, and large ones with the widest labels.
    QCOMPARE(window_test::weightLabelProblems(*form), QStringList());
    addSamplesNeedingANegativeWeight();
    click("Command2");
    QVERIFY(form->networkState().Weights[1] < 0.0f);
    QCOMPARE(window_test::weightLabelProblems(*form), QStringList());
    click("Command4");
    field("Txt1")->setFocus();
    addSample({"-30000", "30000", "-30000", "30000", "-30000"}, Qt::Key_Down);
    addSample({"30000", "-30000", "30000", "-30000", "30000"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("3"));
    click("Command2");
    QVERIFY(std::any_of(form->networkState().Weights.begin(), form->networkState().Weights.end(),
                        [](float w) { return w <= -1000.0f; }));
    QCOMPARE(window_test::weightLabelProblems(*form), QStringList());
    // Each label rounds its weight; resting on it tells the exact value.
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        const float weight = weights[static_cast<std::size_t>(i)];
        QCOMPARE(diagram()->weightLabelText(i), qText(vintrelle::roundedText(weight)));
        const QString tip = diagram()->toolTipAt(diagram()->weightLabelRect(i).center());
        QVERIFY2(tip.startsWith(QStringLiteral("w%1").arg(i)) && tip.contains(qText(vintrelle::singleToText(weight))),
                 qPrintable(tip));
        QCOMPARE(tip.contains(QStringLiteral("soglia")), i == 0);
    }
}

// ---------------------------------------------------------------------------
// What the neuron learned

void TestForm1Diagram::listMarksAgreeWithCalcola()
{
    // XOR stopped at the limit: some lines right, some wrong.
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("20"));
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::LimitExceeded));
    auto *samples = static_cast<vintrelle::ui::SampleList *>(list());
    int wrong = 0;
    for (int row = 0; row < 4; ++row) {
        const std::optional<bool> shown = samples->shownClassification(row);
        QVERIFY(shown.has_value());
        const QString target = list()->item(row)->text().section(QLatin1Char(':'), -1).trimmed();
        clickSample(row);
        click("Command1");
        const bool answeredRight = field("txtOut")->text() == target;
        QCOMPARE(*shown, answeredRight);
        wrong += !*shown;
        // In words, after the row's name, for the mouse and for screen readers.
        const QString words = QStringLiteral("N°%1. ").arg(row)
            + (answeredRight ? QStringLiteral("Classificato correttamente: uscita ")
                             : QStringLiteral("Classificato in modo errato: uscita "))
            + field("txtOut")->text() + QStringLiteral(", attesa ") + target;
        QCOMPARE(plainText(list()->item(row)->toolTip()), words);
        QCOMPARE(QAccessible::queryAccessibleInterface(list())->child(row)->text(QAccessible::Description), words);
    }
    // No weights get XOR right.
    QVERIFY(wrong > 0);
    // New weights, and a removed line, bring the marks up to date.
    click("Command5");
    for (int row = 0; row < 4; ++row) {
        clickSample(row);
        click("Command1");
        const QString target = list()->item(row)->text().section(QLatin1Char(':'), -1).trimmed();
        QCOMPARE(*samples->shownClassification(row), field("txtOut")->text() == target);
    }
    clickSample(0);
    click("Command6");
    QCOMPARE(list()->count(), 3);
    for (int row = 0; row < 3; ++row)
        QVERIFY(samples->shownClassification(row).has_value());
    // Each line is drawn in its tint.
    const QImage image = list()->grab().toImage();
    for (int row = 0; row < 3; ++row) {
        const QRect line = list()->visualItemRect(list()->item(row));
        const QPoint right = list()->viewport()->mapTo(list(), QPoint(line.right() - 2, line.center().y()));
        QCOMPARE(image.pixelColor(right * image.devicePixelRatio()),
                 *samples->shownClassification(row) ? vintrelle::ui::ClassificationDelegate::rightTint()
                                                    : vintrelle::ui::ClassificationDelegate::wrongTint());
    }
}

void TestForm1Diagram::statusTooltipTellsWhyTrainingStopped()
{
    const auto tip = [this] { return plainText(label("Label1")->toolTip()); };
    const auto description = [this] {
        return QAccessible::queryAccessibleInterface(label("Label1"))->text(QAccessible::Description);
    };
    // No samples at all.
    field("Text2")->setText(QStringLiteral("2"));
    click("Command2");
    QCOMPARE(tip(), qText(messages::NoSamples));

    // XOR: no weights classify it, however long the training.
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Down);
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::LimitExceeded));
    const vintrelle::LimitExplanation xor_ = vintrelle::explainLimit(form->sampleStore().rows(), 1.0f);
    QCOMPARE(tip(), qText(xor_.reason));
    QVERIFY(tip().startsWith(qText(messages::NotSeparable)));
    QCOMPARE(description(), tip());
    // Every sample of the proof is named, in the reason and on its line.
    for (int row = 0; row < 4; ++row) {
        QVERIFY(tip().contains(QStringLiteral("N°%1").arg(row)));
        QVERIFY(plainText(list()->item(row)->toolTip()).contains(qText(xor_.sampleNotes[std::size_t(row)])));
    }
    // Heard with the outcome.
    QVERIFY(statusLine()->lastAnnouncement().endsWith(tip()));
    // Any other status takes the reason away, and the notes with it.
    click("Command5");
    QCOMPARE(tip(), QString());
    QVERIFY(description() != qText(xor_.reason));
    QVERIFY(!plainText(list()->item(0)->toolTip()).contains(qText(xor_.sampleNotes[0])));

    // Separable but untrainable with a learning rate of 0 (the fresh
    // weights give the first sample, all zeros wanting 1, a sum of -w0 < 0).
    click("Command4");
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Up);
    field("Text1")->setText(QStringLiteral("0"));
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::LimitExceeded));
    QVERIFY(tip().startsWith(qText(std::string(messages::EtaZero) + std::string(messages::SeparableBy))));

    // A target of 0 has no sign to reach.
    field("Text1")->setText(QStringLiteral("0,2"));
    field("txtOut")->setText(QStringLiteral("0"));
    click("Command3");
    click("Command2");
    QCOMPARE(tip(), qText(messages::ZeroTarget));

    // A training that converges, and "Reset".
    click("Command4");
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("10000"));
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::TrainingConverged));
    QCOMPARE(tip(), qText(messages::AllSamplesRight));
    click("Command4");
    QCOMPARE(tip(), QString());
}

WINDOW_TEST_MAIN(TestForm1Diagram)
#include "tst_form1_diagram.moc"
