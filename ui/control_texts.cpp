// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/control_texts.h"

#include <array>

namespace vintrelle::ui {

namespace {

constexpr std::array<ControlText, 17> texts{{
    {"Txt0", "Bias", "Ingresso di soglia, sempre -1; non modificabile"},
    {"Txt1", "X1", "Valore dell'ingresso X1; freccia giù lo rende negativo, freccia su positivo"},
    {"Txt2", "X2", "Valore dell'ingresso X2; freccia giù lo rende negativo, freccia su positivo"},
    {"Txt3", "X3", "Valore dell'ingresso X3; freccia giù lo rende negativo, freccia su positivo"},
    {"Txt4", "X4", "Valore dell'ingresso X4; freccia giù lo rende negativo, freccia su positivo"},
    {"Txt5", "X5", "Valore dell'ingresso X5; freccia giù lo rende negativo, freccia su positivo"},
    {"txtOut", "Uscita",
     "Uscita del neurone, o uscita attesa del campione da aggiungere: 1 o -1; freccia su per 1, freccia giù per -1"},
    {"Text1", "Eta", "Tasso di apprendimento dell'addestramento"},
    {"Text2", "N° cicli Max", "Numero massimo di cicli di addestramento"},
    {"List1", "Sample",
     "Elenco dei campioni di addestramento, fino a undici: ingressi da X1 a X5 e uscita attesa; "
     "selezionarne uno ne carica gli ingressi"},
    {"Command1", "Calcola", "Calcola l'uscita del neurone per gli ingressi da X1 a X5"},
    {"Command2", "Addestra",
     "Addestra il neurone sui campioni dell'elenco con il tasso di apprendimento e il numero massimo di cicli"},
    {"Command3", "aggiungi", "Aggiunge all'elenco gli ingressi e l'uscita come nuovo campione"},
    {"Command4", "Reset", "Svuota l'elenco dei campioni ed estrae nuovi pesi"},
    {"Command5", "Reinizializza Pesi", "Estrae nuovi pesi casuali; i campioni restano"},
    {"Command6", "Rimuovi", "Rimuove dall'elenco il campione selezionato"},
    {"Label1Reason", "Motivo", "Perché l'addestramento è finito così; Esc lo chiude"},
}};

} // namespace

std::span<const ControlText> controlTexts()
{
    return texts;
}

} // namespace vintrelle::ui
