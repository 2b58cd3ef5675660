// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/form1.h"

#include "core/numeric_text.h"
#include "core/output.h"
#include "core/training.h"
#include "samples/sample_line.h"
#include "ui/colours.h"
#include "ui/entry_field.h"
#include "ui/entry_rules.h"
#include "ui/fonts.h"
#include "ui/neuron_diagram.h"
#include "ui/accessible_interfaces.h"
#include "ui/pass_display.h"
#include "ui/sample_list.h"
#include "ui/status_line.h"
#include "ui/story_window.h"
#include "ui/text_conversion.h"
#include "ui/twips.h"
#include "ui/window_look.h"
#include "ui/wrapping_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>

namespace vintrelle::ui {

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    installAccessibleInterfaces();
    createControls();
    paintWindow(this);
    chainTabOrder();
    wireHandlers();
    describeControls();
    Txt[1]->setFocus();
    Form_Load();
}

void Form1::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vintrelle  2010  -   www.vintrelle.example"));
    setFixedSize(twips(5484), twips(5124));
    // One size only, so no maximise button (the window manager is told); the
    // title, minimise and close stay.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    // Created first, so it lies under every control.
    diagram = new NeuronDiagram(this);
    diagram->setGeometry(rect());

    const auto field = [this](EntryField *&member, const char *name, const char *text, QRect box) {
        member = new EntryField(QString::fromUtf8(text), this);
        member->setObjectName(QString::fromLatin1(name));
        member->setGeometry(box);
    };
    const auto label = [this]<typename Label>(Label *&member, const char *name, const char *text, QRect box) {
        member = new Label(QString::fromUtf8(text), this);
        member->setObjectName(QString::fromLatin1(name));
        member->setGeometry(box);
        member->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    const auto button = [this](QPushButton *&member, const char *name, const char *text, QRect box) {
        member = new WrappingButton(QString::fromUtf8(text), this);
        member->setObjectName(QString::fromLatin1(name));
        member->setGeometry(box);
        // Enter clicks the button that has the focus.
        member->setAutoDefault(true);
    };

    field(Txt[0], "Txt0", "-1", twipsRect(960, 120, 372, 372));
    field(Txt[1], "Txt1", "0", twipsRect(480, 600, 852, 348));
    field(Txt[2], "Txt2", "0", twipsRect(480, 1080, 852, 360));
    field(Txt[3], "Txt3", "0", twipsRect(480, 1560, 852, 360));
    field(Txt[4], "Txt4", "0", twipsRect(480, 2040, 852, 360));
    field(Txt[5], "Txt5", "0", twipsRect(480, 2520, 852, 360));
    // The bias input is always -1: shown, never edited.
    Txt[0]->setEnabled(false);
    field(txtOut, "txtOut", "1", twipsRect(4680, 1920, 492, 300));
    txtOut->setWheelActsAsArrows(true);   // the wheel sets the target, as Up and Down do
    field(Text1, "Text1", "0,2", twipsRect(4440, 480, 852, 288));
    Text2 = new QLineEdit(QStringLiteral("10000"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(twipsRect(4440, 120, 852, 288));

    button(Command3, "Command3", "aggiungi", twipsRect(4320, 3240, 1092, 252));
    button(Command1, "Command1", "Calcola", twipsRect(4200, 2400, 1092, 252));
    button(Command2, "Command2", "Addestra", twipsRect(4200, 1440, 1092, 252));
    button(Command4, "Command4", "Reset", twipsRect(4320, 4800, 1092, 252));
    button(Command5, "Command5", "Reinizializza Pesi", twipsRect(4320, 4320, 1092, 372));
    button(Command6, "Command6", "Rimuovi", twipsRect(4320, 3600, 1092, 252));

    List1 = new SampleList(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(twipsRect(120, 3240, 4092, 1488));

    label(Label2, "Label2", "Bias", twipsRect(480, 120, 492, 372));
    label(Label3, "Label3", "X1", twipsRect(120, 600, 252, 252));
    label(Label4, "Label4", "X2", twipsRect(120, 1080, 252, 252));
    label(Label5, "Label5", "X3", twipsRect(120, 1560, 252, 252));
    label(Label6, "Label6", "X4", twipsRect(120, 2040, 252, 252));
    label(Label7, "Label7", "X5", twipsRect(120, 2520, 252, 252));
    label(Label8, "Label8", "Sample :", twipsRect(120, 3000, 852, 252));
    label(Label11, "Label11", "N° cicli Max :", twipsRect(3240, 120, 1212, 252));
    label(Label10, "Label10", "Eta:", twipsRect(3960, 480, 492, 252));
    label(Label9, "Label9", "N°Cicli :", twipsRect(3480, 1080, 1812, 252));
    label(Label1, "Label1", "Status:", twipsRect(120, 4800, 4092, 252));
    Label1->setReasonAnchor(Label8);   // the reason leaves the list's lines in view
}

void Form1::chainTabOrder()
{
    // The diagram comes last: its weights are there to be read, not edited.
    // The status line, while it holds a reason, and the pass display, while
    // it holds a story (the only times they take the focus), come right
    // after "Addestra", whose outcome they tell.
    const std::array<QWidget *, 19> order{
        Txt[0], Txt[1], Txt[2], Txt[3], Txt[4], Txt[5], txtOut, Command3, Command1,
        Command2, Label1, Label9, Command4, List1, Command5, Command6, Text1, Text2, diagram};
    // Qt chains only widgets that take the focus.
    Label1->setFocusPolicy(Qt::TabFocus);
    Label9->setFocusPolicy(Qt::TabFocus);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    Label1->setFocusPolicy(Qt::NoFocus);
    Label9->setFocusPolicy(Qt::NoFocus);
}

void Form1::wireHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    // Connected after the handlers, so it runs when each has ended.
    for (QPushButton *command : {Command1, Command2, Command3, Command4, Command5, Command6})
        connect(command, &QPushButton::clicked, this, &Form1::announceOutcome);

    // A sample is loaded when it becomes the selected one, by mouse or
    // keyboard, and again when it is clicked while already selected. A
    // click on a new item therefore loads it twice, to the same texts.
    connect(List1, &QListWidget::itemSelectionChanged, this, &Form1::List1_Click);
    connect(List1, &QListWidget::itemClicked, this, &Form1::List1_Click);
    connect(Label9, &PassDisplay::storyRequested, this, &Form1::openStory);

    for (int i = 0; i < InputCount; ++i) {
        EntryField *input = Txt[static_cast<std::size_t>(i)];
        connect(input, &EntryField::focusGained, this, [this, i] { Txt_GotFocus(i); });
        connect(input, &EntryField::focusLost, this, [this, i] { Txt_LostFocus(i); });
        connect(input, &EntryField::keyReleased, this,
                [this, i](int keyCode, std::optional<int> typedAt) { Txt_KeyUp(i, keyCode, typedAt); });
    }
    connect(Text1, &EntryField::focusGained, this, &Form1::Text1_GotFocus);
    connect(Text1, &EntryField::keyReleased, this, &Form1::Text1_KeyUp);
    connect(txtOut, &EntryField::focusGained, this, &Form1::txtOut_GotFocus);
    connect(txtOut, &EntryField::keyReleased, this, &Form1::txtOut_KeyUp);
}

void Form1::describeControls()
{
    describeWindow(this);
    // Each caption labels its control, so that a screen reader can tell
    // which caption belongs to which field.
    const std::array<QLabel *, InputCount> inputCaptions{Label2, Label3, Label4, Label5, Label6, Label7};
    for (std::size_t i = 0; i < inputCaptions.size(); ++i)
        inputCaptions[i]->setBuddy(Txt[i]);
    Label8->setBuddy(List1);
    Label10->setBuddy(Text1);
    Label11->setBuddy(Text2);
}

// ---------------------------------------------------------------------------
// Start-up and reset

void Form1::Form_Load()
{
    ini();
    // The window's first status is read with the window, not announced.
    spoken.forget();
}

void Form1::ini()
{
    samples.clear();
    showSamples();
    showStory(nullptr);
    txtOut->setText(QStringLiteral("1"));
    state.reinitialiseWeights();
    showWeights();
    showStatus(messages::SystemReset);
}

void Form1::Command4_Click()
{
    ini();
}

void Form1::Command5_Click()
{
    state.reinitialiseWeights();
    showWeights();
    showStatus(messages::NetworkReset);
}

// ---------------------------------------------------------------------------
// "Calcola": the neuron's answer for the six inputs

void Form1::Command1_Click()
{
    InputVector inputs{};
    for (int i = 0; i < InputCount; ++i) {
        const auto value = textToDouble(textOf(Txt[static_cast<std::size_t>(i)]));
        if (!value) {
            showInvalidValue(messages::inputField(i));
            return;
        }
        inputs[static_cast<std::size_t>(i)] = *value;
    }
    const auto output = neuronOutput(inputs, state.Weights);
    if (!output) {
        showStatus(messages::ComputeOverflow);
        return;
    }
    const QString answer = toQString(integerToText(*output));
    txtOut->setText(answer);
    showStatus(messages::Computed);
    // The status line reads "Calcolato: "; a screen reader hears the answer too.
    spoken.addToStatus(answer.toStdString());
}

// ---------------------------------------------------------------------------
// "Addestra": training on the stored samples

void Form1::Command2_Click()
{
    const auto eta = textToSingle(textOf(Text1));
    if (!eta) {
        showInvalidValue(messages::Field::Eta);
        return;
    }
    const auto maxCycles = textToInteger(textOf(Text2));
    if (!maxCycles) {
        showInvalidValue(messages::Field::MaxCycles);
        return;
    }
    state.Eta = *eta;
    state.MaxCycles = *maxCycles;
    showStatus(messages::TrainingConverged);

    auto story = std::make_shared<TrainingStory>();
    const TrainingResult result = train(state.Weights, samples.rows(), state.Eta, state.MaxCycles, *story);
    showStory(std::move(story));
    showWeights();
    showStatus(trainingStatusText(result.outcome));
    showPasses(cyclesText(result.cycles, state.MaxCycles));
    // Why it ended: every sample right, or whether any weights could have
    // classified them all (answered exactly, only when the limit stopped it).
    if (result.outcome == TrainingOutcome::Converged)
        showReason({std::string(messages::AllSamplesRight), {}});
    else if (result.outcome == TrainingOutcome::LimitExceeded)
        showReason(explainLimit(samples.rows(), state.Eta));
}

// ---------------------------------------------------------------------------
// Samples: add, remove, select

void Form1::Command3_Click()
{
    const std::string target = textOf(txtOut);
    // A blank target is a sample just selected from the list: not added twice.
    if (trimBlanks(target).empty())
        return;
    if (samples.isFull())
        return;

    std::array<std::string, InputCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = textOf(Txt[i]);
    std::array<std::string_view, InputCount> inputs;
    std::copy(texts.begin(), texts.end(), inputs.begin());

    // Every text is converted before anything is stored, so a bad one
    // leaves the list and the store as they were.
    const auto row = sampleRowFromTexts(inputs, target);
    if (const auto *badField = std::get_if<messages::Field>(&row)) {
        showInvalidValue(*badField);
        return;
    }

    samples.add(std::get<SampleRow>(row), SampleTexts{{texts[1], texts[2], texts[3], texts[4], texts[5]}, target});
    showSamples();
    // The new line shows, even below the lines the list has room for.
    List1->scrollToItem(List1->item(List1->count() - 1));
    showStatus(messages::sampleStored(samples.count() - 1));
    Txt[1]->setFocus(Qt::OtherFocusReason);
}

void Form1::Command6_Click()
{
    const int k = List1->selectedRow();
    if (k < 0)
        return;
    txtOut->setText(QStringLiteral("1"));
    samples.remove(k);
    showSamples();
    // The reason and the story named the samples by rows no longer theirs.
    showReason({});
    showStory(nullptr);
    // No line is selected afterwards; that is not the user choosing one.
    const QSignalBlocker quiet(List1);
    List1->clearSelection();
    List1->setCurrentRow(-1);
}

void Form1::List1_Click()
{
    const int k = List1->selectedRow();
    if (k < 0)
        return;
    const std::array<std::string, 5> inputs = samples.inputsToLoad(k);
    for (std::size_t j = 0; j < inputs.size(); ++j)
        Txt[j + 1]->setText(toQString(inputs[j]));
    txtOut->setText(QString());
}

// ---------------------------------------------------------------------------
// Entry rules

void Form1::Txt_GotFocus(int index)
{
    EntryField *input = Txt[static_cast<std::size_t>(index)];
    input->apply(inputFocusGained(input->state().text));
}

void Form1::Txt_LostFocus(int index)
{
    EntryField *input = Txt[static_cast<std::size_t>(index)];
    input->apply(inputFocusLost(input->state()));
}

void Form1::Txt_KeyUp(int index, int keyCode, std::optional<int> typedAt)
{
    EntryField *input = Txt[static_cast<std::size_t>(index)];
    const RuleResult result = inputKeyUp(input->state(), keyCode, typedAt);
    if (result.kind == RuleResult::Kind::NotANumber)
        showInvalidValue(messages::inputField(index));
    input->apply(result);
    announceOutcome();
}

void Form1::Text1_GotFocus()
{
    Text1->apply(learningRateFocusGained(Text1->state().text));
}

void Form1::Text1_KeyUp(int keyCode, std::optional<int> typedAt)
{
    Text1->apply(learningRateKeyUp(Text1->state(), keyCode, typedAt));
}

void Form1::txtOut_GotFocus()
{
    txtOut->apply(outputFocusGained(txtOut->state().text));
}

void Form1::txtOut_KeyUp(int keyCode)
{
    txtOut->apply(outputKeyUp(txtOut->state(), keyCode));
}

// ---------------------------------------------------------------------------

void Form1::showStatus(std::string_view text)
{
    Label1->setText(toQString(text));
    spoken.setStatus(text);
    // A reason belongs to the training outcome it explains.
    showReason({});
}

void Form1::showReason(const LimitExplanation &explanation)
{
    Label1->showReason(toQString(explanation.reason));
    QStringList notes;
    for (const std::string &note : explanation.sampleNotes)
        notes.append(toQString(note));
    List1->showNotes(notes);
    spoken.setReason(explanation.reason);
}

void Form1::showPasses(std::string_view text)
{
    Label9->setText(toQString(text));
    spoken.setPasses(text);
}

void Form1::showWeights()
{
    diagram->setWeights(state.Weights);
    spoken.weightsChanged();
    List1->showClassification(state.Weights, samples.rows());
}

void Form1::showSamples()
{
    QStringList lines;
    for (int r = 0; r < samples.count(); ++r)
        lines.append(toQString(samples.line(r)));
    {
        // Lines that come and go are not the user choosing a sample.
        const QSignalBlocker quiet(List1);
        List1->showLines(lines);
    }
    List1->showClassification(state.Weights, samples.rows());
}

void Form1::announceOutcome()
{
    // The new weights are said where they are looked at, as they are shown.
    const QString weights = diagram->hasFocus() ? diagram->shownWeightsText().replace(QLatin1Char('\n'), QStringLiteral(", "))
                                                : QString();
    const std::string message = spoken.take(weights.toStdString());
    if (!message.empty())
        Label1->announce(toQString(message));
}

void Form1::showInvalidValue(messages::Field field)
{
    showStatus(messages::invalidValue(field));
}

void Form1::showStory(std::shared_ptr<const TrainingStory> story)
{
    Label9->showStory(story);
    if (storyWindow != nullptr)
        storyWindow->showStory(storyWindow->isVisible() ? std::move(story) : nullptr);
}

void Form1::openStory()
{
    if (storyWindow == nullptr)
        storyWindow = new StoryWindow(this);
    storyWindow->open(Label9->story());
}

} // namespace vintrelle::ui
