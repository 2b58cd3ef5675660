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
// and label captions. No arithmetic on the neuron is done here.
//
// The handlers carry the names of the control and the event they answer
// (Command2_Click, Txt_KeyUp); the controls carry the names the program
// uses for its parts, also as their objectName.

#include "core/messages.h"
#include "core/network_state.h"
#include "samples/sample_store.h"

#include <QWidget>

#include <array>
#include <string_view>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vintrelle::ui {

class EntryField;
class NeuronDiagram;

} // namespace vintrelle::ui

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    // Read-only views of the window state, for whoever checks the window.
    const vintrelle::NetworkState &networkState() const { return state; }
    const vintrelle::SampleStore &sampleStore() const { return samples; }

protected:
    // Shows the weights when the mouse rests on the neuron's circle.
    bool event(QEvent *event) override;

private:
    void createControls();
    void setAppearance();
    void chainTabOrder();
    void wireHandlers();
    // Italian names and descriptions for screen readers.
    void describeControls();

    // Start-up and full reset.
    void Form_Load();
    void ini();

    // Buttons and list.
    void Command1_Click();   // "Calcola"
    void Command2_Click();   // "Addestra"
    void Command3_Click();   // "aggiungi"
    void Command4_Click();   // "Reset"
    void Command5_Click();   // "Reinizializza Pesi"
    void Command6_Click();   // "Rimuovi"
    void List1_Click();

    // Entry rules of the fields.
    void Txt_GotFocus(int index);
    void Txt_LostFocus(int index);
    void Txt_KeyUp(int index, int keyCode);
    void Text1_GotFocus();
    void Text1_KeyUp(int keyCode);
    void txtOut_GotFocus();
    void txtOut_KeyUp(int keyCode);

    void showStatus(std::string_view text);
    void showPasses(std::string_view text);
    // The diagram draws the current weights.
    void showWeights();
    void showInvalidValue(vintrelle::messages::Field field);
    // Index of the selected list item, -1 when none is.
    int selectedSample() const;

    // The window state.
    vintrelle::NetworkState state;
    vintrelle::SampleStore samples;

    // The controls. Txt[0] is the bias input, always "-1" and disabled.
    vintrelle::ui::NeuronDiagram *diagram = nullptr;   // Line1..Line7, Shape1
    std::array<vintrelle::ui::EntryField *, vintrelle::InputCount> Txt{};
    vintrelle::ui::EntryField *txtOut = nullptr;
    vintrelle::ui::EntryField *Text1 = nullptr;        // learning rate
    QLineEdit *Text2 = nullptr;                         // cycle limit
    QListWidget *List1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QLabel *Label1 = nullptr;    // status line
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;    // passes of the last training
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
};
