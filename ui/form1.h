// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Form1, the program's only window: the neuron drawn as a diagram, with its
// five input fields, the output field, the training settings, the sample
// list and the six buttons.
//
// How data flows: every handler reads the texts of the fields it needs,
// converts them with core/numeric_text.h (a text that is not a number stops
// the handler before anything changes, and the status line names the
// field), passes the numbers to the core (output.h, training.h,
// sample_store.h), and writes the results back as field texts, list lines
// and label captions. What an action wrote into the status line and the pass
// display is then announced to screen readers, once, when the action ends.
// The fields' entry rules live in entry_rules.h: their handlers only hand a
// field's state to a rule and show what it returns. No arithmetic on the
// neuron is done here.
//
// Each training keeps its story (core/training_story.h): the pass display
// opens it in a window of its own (story_window.h), made when first opened;
// a new training replaces the story, "Reset" and "Rimuovi" end it.
//
// The handlers carry the names of the control and the event they answer
// (Command2_Click, Txt_KeyUp); the controls carry the names the program
// uses for its parts, also as their objectName.

#include "core/messages.h"
#include "core/network_state.h"
#include "core/training_story.h"
#include "samples/sample_store.h"
#include "ui/announcement.h"
#include "verdict/explanation.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vintrelle::ui {

class EntryField;
class NeuronDiagram;
class PassDisplay;
class SampleList;
class StatusLine;
class StoryWindow;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Read-only views of the window state, for whoever checks the window.
    const NetworkState &networkState() const { return state; }
    const SampleStore &sampleStore() const { return samples; }

private:
    void createControls();
    void chainTabOrder();
    void wireHandlers();
    // Italian names and descriptions for screen readers.
    void describeControls();

    // Start-up and full reset.
    void Form_Load();
    void ini();

    // Buttons and list.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void List1_Click();

    // Entry rules of the fields.
    void Txt_GotFocus(int index);
    void Txt_LostFocus(int index);
    void Txt_KeyUp(int index, int keyCode, std::optional<int> typedAt);
    void Text1_GotFocus();
    void Text1_KeyUp(int keyCode, std::optional<int> typedAt);
    void txtOut_GotFocus();
    void txtOut_KeyUp(int keyCode);

    void showStatus(std::string_view text);
    void showPasses(std::string_view text);
    // Tells screen readers what the action that ends now wrote into the
    // status line and the pass display (and the new weights, when the
    // diagram has the focus), in one message.
    void announceOutcome();
    // The diagram draws the current weights, and the list marks each line
    // right or wrong by them.
    void showWeights();
    // The list shows the store's samples, a line each, marked.
    void showSamples();
    // Why the last training ended as it did: the reason to the status line,
    // the notes to the lines of the samples it names. Both go together, when
    // the next status replaces the reason or a sample is removed; {} takes
    // them away.
    void showReason(const LimitExplanation &explanation);
    void showInvalidValue(messages::Field field);
    // The story of the last training, or none: the pass display opens it,
    // an open story window shows it (and closes without one).
    void showStory(std::shared_ptr<const TrainingStory> story);
    // Opens the story window, made the first time.
    void openStory();

    // The window state.
    NetworkState state;
    SampleStore samples;

    // What the action under way has shown, to be announced when it ends.
    Announcement spoken;

    // The controls. Txt[0] is the bias input, always "-1" and disabled.
    NeuronDiagram *diagram = nullptr;                // Line1..Line7, Shape1
    std::array<EntryField *, InputCount> Txt{};      // "-1", then "0" x 5
    EntryField *txtOut = nullptr;                    // output, "1"
    EntryField *Text1 = nullptr;                     // learning rate, "0,2"
    QLineEdit *Text2 = nullptr;                      // cycle limit, "10000"
    SampleList *List1 = nullptr;                     // samples
    QPushButton *Command1 = nullptr;                 // "Calcola"
    QPushButton *Command2 = nullptr;                 // "Addestra"
    QPushButton *Command3 = nullptr;                 // "aggiungi"
    QPushButton *Command4 = nullptr;                 // "Reset"
    QPushButton *Command5 = nullptr;                 // "Reinizializza Pesi"
    QPushButton *Command6 = nullptr;                 // "Rimuovi"
    StatusLine *Label1 = nullptr;                    // status line, "Status:"
    QLabel *Label2 = nullptr;                        // "Bias"
    QLabel *Label3 = nullptr;                        // "X1"
    QLabel *Label4 = nullptr;                        // "X2"
    QLabel *Label5 = nullptr;                        // "X3"
    QLabel *Label6 = nullptr;                        // "X4"
    QLabel *Label7 = nullptr;                        // "X5"
    QLabel *Label8 = nullptr;                        // "Sample :"
    PassDisplay *Label9 = nullptr;                   // passes, "N°Cicli :"
    QLabel *Label10 = nullptr;                       // "Eta:"
    QLabel *Label11 = nullptr;                       // "N° cicli Max :"
    StoryWindow *storyWindow = nullptr;              // made when first opened
};

} // namespace vintrelle::ui
