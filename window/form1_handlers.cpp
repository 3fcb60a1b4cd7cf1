// The window's handlers, each in the order of its steps.
#include "calendar/date_services.h"
#include "calendar/month_grid.h"
#include "window/click_label.h"
#include "window/form1.h"
#include "window/layout_table.h"
#include "window/small_controls.h"
#include "window/units.h"

namespace calendario {

// Start-up: runs once before the window is first shown.
void Form1::Form_Load()
{
    // The month names of the locale, each with a capital initial, January first.
    for (Indice = 0; Indice <= 11; ++Indice) {
        const Date primo = dateFromText(dayFirstText(1, Indice + 1, yearOf(clock_.today())));
        const QString nome = names_.monthName(primo);
        lstMESI->addItem(names_.upperCase(firstCharacter(nome)) + afterFirstCharacter(nome));
    }
    lstMESI->setHeightInWholeRows(pixelsFromTwips(kMonthListHeight));

    const Int16 ultimaCella = cellCount() - 1;
    for (Indice = 0; Indice <= ultimaCella; ++Indice)
        cellOf(Indice)->setMouseIcon(Oggi->mouseIcon());
    lblANNO->setMouseIcon(Oggi->mouseIcon());

    lblOGGI->setText(names_.shortDate(clock_.today()));

    NoPass = Vero;
    Oggi_Click();
    NoPass = Falso;

    setWindowTitle(names_.fullDate(clock_.today()));
}

void Form1::Command1_Click() { close(); }

// A month chosen in the list, by the user or by the program.
void Form1::lstMESI_Click()
{
    lblMESE->setText(lstMESI->text());
    lstMESI->hide();
    if (!isTrue(NoPass))
        MostraMese();
}

// The year bar moved, by the user or by the program.
void Form1::VScroll1_Change()
{
    lblANNO->setText(decimalText(VScroll1->year()));
    if (!isTrue(NoPass))
        MostraMese();
}

// Draws the month of the list in the year of the bar.
void Form1::MostraMese()
{
    Mese = lstMESI->listIndex() + 1;
    NumGiorni = GiorniDelMese(Mese, VScroll1->year());
    Inizio = ColonnaInizio(Mese, VScroll1->year());

    const Int16 ultimaCella = cellCount() - 1;
    for (Indice = 0; Indice <= ultimaCella; ++Indice) {
        cellOf(Indice)->setText(QString());
        cellOf(Indice)->setBackground(kWindowBackground);
        cellOf(Indice)->setMousePointer(DefaultPointer);
    }

    const Int16 ultimoGiorno = Inizio + NumGiorni - 1;
    for (Indice = Inizio; Indice <= ultimoGiorno; ++Indice) {
        cellOf(Indice)->setText(decimalText(Indice - Inizio + 1));
        cellOf(Indice)->setMousePointer(CustomPointer);
    }

    // Indice now stands just past the last day.
    Cella = Giorno + Indice - NumGiorni - 1;
    putFrameAround(cellOf(Cella));

    Oggi->setBold(false);
    Oggi->setBorderStyle(0);

    if (OggiNelMese(lstMESI->listIndex() + 1, VScroll1->year(), clock_)) {
        for (Indice = 0; Indice <= ultimaCella; ++Indice)
            if (numberEqualsText(dayOf(clock_.today()), cellOf(Indice)->text()))
                cellOf(Indice)->setBackground(Oggi->backgroundColour());
    }
    emit gridDrawn();
}

// A click on a day cell selects that day.
void Form1::G_Click(Int16 Index)
{
    emit dayClicked(Index.value());
    Mese = lstMESI->listIndex() + 1;
    const ClickLabel* cella = cellOf(Index);
    if (cella->text().isEmpty())
        return;
    putFrameAround(cella);

    const Date selezionata = dateFromText(dayFirstText(cella->text(), Mese, VScroll1->year()));
    setWindowTitle(names_.fullDate(selezionata));

    const bool oggi = selezionata == clock_.today();
    Oggi->setBorderStyle(oggi ? 1 : 0);
    Oggi->setBold(oggi);
    Oggi->setUnderlined(!oggi);
    Oggi->setMousePointer(oggi ? ArrowPointer : CustomPointer);

    Giorno = wholeNumberFromText(cella->text());
}

// Back to today: today's year, month and day, and today's cell selected.
void Form1::Oggi_Click()
{
    VScroll1->setYear(yearOf(clock_.today()));
    lstMESI->setListIndex(monthOf(clock_.today()) - 1);
    Giorno = dayOf(clock_.today());
    MostraMese();

    Oggi->setBold(true);
    Oggi->setBorderStyle(1);
    Oggi->setMousePointer(ArrowPointer);

    if (!isTrue(NoPass))
        G_Click(Cella);
}

void Form1::lblOGGI_Click() { Oggi_Click(); }

// Shows the month list, or hides it when it is shown.
void Form1::cmdMESI_Click() { lstMESI->setVisible(lstMESI->isHidden()); }

void Form1::lblMESE_Click() { cmdMESI_Click(); }

// The month before; from January, December of the year before, down to the bar's end.
void Form1::Command2_Click()
{
    const Int16 mese = lstMESI->listIndex();
    if (mese > 0) {
        lstMESI->setListIndex(mese - 1);
        return;
    }
    const Int16 anno = VScroll1->year();
    if (anno > VScroll1->bottomEnd()) {
        VScroll1->setYear(anno - 1);
        lstMESI->setListIndex(11);
    }
}

// The month after; from December, January of the year after, up to the bar's end.
void Form1::Command3_Click()
{
    const Int16 mese = lstMESI->listIndex();
    if (mese < 11) {
        lstMESI->setListIndex(mese + 1);
        return;
    }
    const Int16 anno = VScroll1->year();
    if (anno < VScroll1->topEnd()) {
        VScroll1->setYear(anno + 1);
        lstMESI->setListIndex(0);
    }
}

// The same month in the current year.
void Form1::lblANNO_Click() { VScroll1->setYear(yearOf(clock_.today())); }

}  // namespace calendario
