// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The story window with the longest story the window can make: eleven
// samples that never converge (XOR among them), a limit of 32766, 32767
// passes. Opening it (made, shown, laid out and painted into an image) and
// one step of the slider with its repaint should each stay within a frame,
// 16 ms.
//
//   story_window_bench [Google Benchmark options]
//
// It runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "core/training_story.h"
#include "ui/application_setup.h"
#include "ui/story_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QImage>
#include <QSlider>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::shared_ptr<const vintrelle::TrainingStory> longestStory()
{
    static const auto story = [] {
        std::vector<vintrelle::SampleRow> rows{{-1, 0, 0, 0, 0, 0, -1}, {-1, 0, 1, 0, 0, 0, 1},
                                               {-1, 1, 0, 0, 0, 0, 1},  {-1, 1, 1, 0, 0, 0, -1}};
        for (int s = 0; rows.size() < 11; ++s)
            rows.push_back({-1, 0.5f * static_cast<float>(s % 3), 0.25f * static_cast<float>(s), 1, 0, 0,
                            s % 2 == 0 ? 1.0f : -1.0f});
        auto made = std::make_shared<vintrelle::TrainingStory>();
        vintrelle::WeightVector weights{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
        vintrelle::train(weights, rows, 0.2f, 32766, *made);
        return std::shared_ptr<const vintrelle::TrainingStory>(std::move(made));
    }();
    return story;
}

void OpenLongestStory(benchmark::State &state)
{
    const auto story = longestStory();
    if (story->passCount() != 32767)
        state.SkipWithError("the story is not 32767 passes long");
    // Every widget of the window painted into one image, as into the
    // window's backing store on the screen.
    QImage screen(vintrelle::ui::StoryWindow().size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        vintrelle::ui::StoryWindow window;
        window.open(story);
        window.render(&screen);
    }
    state.counters["passes"] = story->passCount();
}
BENCHMARK(OpenLongestStory)->Unit(benchmark::kMillisecond);

void SliderStepInLongestStory(benchmark::State &state)
{
    vintrelle::ui::StoryWindow window;
    window.open(longestStory());
    auto *slider = window.findChild<QSlider *>(QStringLiteral("StoriaCiclo"));
    window.show();
    QImage screen(window.size(), QImage::Format_ARGB32_Premultiplied);
    window.render(&screen);
    bool back = true;
    for (auto _ : state) {
        // Left and Right in turn, as a user walks the passes.
        QKeyEvent step(QEvent::KeyPress, back ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier);
        QCoreApplication::sendEvent(slider, &step);
        back = !back;
        window.render(&screen);
    }
}
BENCHMARK(SliderStepInLongestStory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    vintrelle::ui::setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
