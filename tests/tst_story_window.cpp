// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The story of a training as a user opens and reads it: from the pass
// display, by mouse and by keyboard, pass by pass with the slider, each
// pass's table the training's own numbers.

#include "core/numeric_text.h"
#include "core/training.h"
#include "core/training_story.h"
#include "ui/pass_display.h"
#include "ui/story_window.h"
#include "window_test_support.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QSlider>
#include <QTableView>
#include <QTest>

#include <bit>
#include <cstdint>
#include <vector>

using namespace window_test;

class TestStoryWindow : public WindowTest
{
    Q_OBJECT

private slots:
    void storyOfOrOpensFromThePassDisplayAndAgreesWithTheTraining();

private:
    vintrelle::ui::StoryWindow *storyWindow() const { return form->findChild<vintrelle::ui::StoryWindow *>(); }
    // Where Tab goes next from "Addestra", in the main window made active.
    QString tabFromAddestra() const
    {
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            return QStringLiteral("the main window is not active");
        button("Command2")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Tab);
        return QApplication::focusWidget()->objectName();
    }
};

namespace {

// A cell's text read back as the float it writes, bit for bit.
std::uint32_t bitsOf(const QAbstractItemModel *table, int row, int column)
{
    const auto value = vintrelle::textToSingle(table->index(row, column).data().toString().toStdString());
    return value ? std::bit_cast<std::uint32_t>(*value) : 0xFFFFFFFFu;
}

} // namespace

void TestStoryWindow::storyOfOrOpensFromThePassDisplayAndAgreesWithTheTraining()
{
    auto *passes = control<vintrelle::ui::PassDisplay>("Label9");
    // Before any training: no story to open, no Tab stop.
    QTest::mouseClick(passes, Qt::LeftButton);
    QVERIFY(storyWindow() == nullptr);
    QCOMPARE(tabFromAddestra(), QStringLiteral("Command4"));

    // OR at Eta 0,25, from the weights the window drew.
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Up);
    typeLearningRate(QStringLiteral("0,25"));
    click("Command2");

    // By mouse: the story opens on its last pass.
    QTest::mouseClick(passes, Qt::LeftButton);
    vintrelle::ui::StoryWindow *story = storyWindow();
    QVERIFY(story != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(story));
    QCOMPARE(story->windowTitle(), QStringLiteral("Storia dell'addestramento"));
    const int orPasses = story->story()->passCount();
    QCOMPARE(passes->text(), QStringLiteral("N°Cicli:%1/10000").arg(orPasses));
    QCOMPARE(story->chosenPass(), orPasses);
    auto *slider = story->findChild<QSlider *>(QStringLiteral("StoriaCiclo"));
    QCOMPARE(story->focusWidget(), slider);
    // (The offscreen platform does not hand the new window the keyboard: the
    // story's keys are sent to its parts.)
    QTest::keyClick(slider, Qt::Key_Escape);
    QVERIFY(!story->isVisible());

    // By keyboard: after "Addestra" and the status line's reason, Space.
    QCOMPARE(tabFromAddestra(), QStringLiteral("Label1"));
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), passes);
    press(Qt::Key_Space);
    QVERIFY(QTest::qWaitForWindowExposed(story));

    // OR from the drawn weights often converges in one pass: XOR, to a limit
    // of 30, makes 31. "Rimuovi" ends the story (its rows are renumbered).
    clickSample(3);
    click("Command6");
    QVERIFY(!story->isVisible());
    QCOMPARE(tabFromAddestra(), QStringLiteral("Command4"));
    field("Txt1")->setFocus();
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("30"));
    const vintrelle::WeightVector start = form->networkState().Weights;
    click("Command2");
    QTest::mouseClick(passes, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(story));
    const int passCount = 31;
    auto *view = story->findChild<QTableView *>(QStringLiteral("StoriaCorrezioni"));
    const QAbstractItemModel *table = view->model();

    // Every pass, from Home on: the weights after its last sample are those
    // a training limited to that many passes ends with (worked out apart
    // from the story), and each row holds the pass's own sums and weights.
    const auto rows = form->sampleStore().rows();
    QTest::keyClick(slider, Qt::Key_Home);
    for (int pass = 1; pass <= passCount; ++pass) {
        QCOMPARE(story->chosenPass(), pass);
        QCOMPARE(slider->accessibleDescription(), QStringLiteral("Ciclo %1 di %2").arg(pass).arg(passCount));
        vintrelle::WeightVector trained = start;
        vintrelle::train(trained, rows, 0.25f, static_cast<std::int16_t>(pass - 1));
        if (pass == passCount)
            QCOMPARE(trained, form->networkState().Weights);
        QCOMPARE(table->rowCount(), 4);
        const std::vector<vintrelle::SampleStep> steps = story->story()->replay(pass);
        for (int row = 0; row < 4; ++row) {
            const vintrelle::SampleStep &step = steps[static_cast<std::size_t>(row)];
            QCOMPARE(bitsOf(table, row, 1), std::bit_cast<std::uint32_t>(step.sum));
            QCOMPARE(table->index(row, 0).data().toString().contains(QStringLiteral("corretto")), step.corrected);
            for (int i = 0; i < vintrelle::InputCount; ++i) {
                const float after = row == 3 ? trained[static_cast<std::size_t>(i)] : step.weightsAfter[static_cast<std::size_t>(i)];
                QCOMPARE(bitsOf(table, row, 4 + i), std::bit_cast<std::uint32_t>(after));
            }
        }
        QTest::keyClick(slider, Qt::Key_Right);
    }
    QCOMPARE(story->chosenPass(), passCount);
    // A new training, the window open: it shows the new story, on its last pass.
    QTest::keyClick(slider, Qt::Key_Home);
    click("Command2");
    QCOMPARE(story->chosenPass(), passCount);
    QCOMPARE(story->story(), passes->story().get());

    // Ctrl+C in the table copies the whole pass, not the current cell.
    QTest::keyClick(slider, Qt::Key_Tab);
    QCOMPARE(story->focusWidget(), view);
    view->setCurrentIndex(table->index(1, 2));
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), 5);

    // "Reinizializza Pesi" leaves the story; "Reset" ends it.
    click("Command5");
    QVERIFY(story->isVisible());
    click("Command4");
    QVERIFY(!story->isVisible());
    QCOMPARE(tabFromAddestra(), QStringLiteral("Command4"));
}

WINDOW_TEST_MAIN(TestStoryWindow)
#include "tst_story_window.moc"
