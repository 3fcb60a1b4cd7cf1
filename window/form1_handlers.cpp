// The window's handlers, each in the order of its steps.
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalBlocker>

#include "calendar/calendar_years.h"
#include "calendar/date_services.h"
#include "calendar/month_grid.h"
#include "window/controls.h"
#include "window/form1.h"
#include "window/labels.h"
#include "window/units.h"

namespace calendario {

// Start-up: runs once before the window is first shown.
void Form1::Form_Load()
{
    // The month names of the locale, each with a capital initial, January first.
    for (Indice = 0_i16; Indice <= 11; ++Indice) {
        const Date primo = dateFromText(dayFirstText(1_i16, Indice + 1, yearOf(clock_.today())));
        const QString nome = names_.monthName(primo);
        lstMESI->addItem(names_.upperCase(firstCharacter(nome)) + afterFirstCharacter(nome));
    }
    lstMESI->setHeightInWholeRows(pixelsFromTwips(kMonthListHeight));

    const Int16 ultimaCella = cellCount() - 1;
    for (Indice = 0_i16; Indice <= ultimaCella; ++Indice)
        G(Indice).setMouseIcon(Oggi->mouseIcon());
    lblANNO->setMouseIcon(Oggi->mouseIcon());

    lblOGGI->setCaption(names_.shortDate(clock_.today()));

    NoPass = Vero;
    Oggi_Click();
    NoPass = Falso;

    titleDate_ = clock_.today();
    setWindowTitle(names_.fullDate(titleDate_));
}

void Form1::Command1_Click()
{
    close();
}

// A month chosen in the list, by the user or by the program.
void Form1::lstMESI_Click()
{
    lblMESE->setCaption(lstMESI->text());
    lstMESI->hide();
    if (!isTrue(NoPass))
        MostraMese();
}

// The year bar moved, by the user or by the program.
void Form1::VScroll1_Change()
{
    lblANNO->setCaption(decimalText(VScroll1->year()));
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
    for (Indice = 0_i16; Indice <= ultimaCella; ++Indice) {
        G(Indice).setCaption(QString());
        G(Indice).setBackground(kWindowBackground);
        G(Indice).setMousePointer(DefaultPointer);
    }

    const Int16 ultimoGiorno = Inizio + NumGiorni - 1;
    for (Indice = Inizio; Indice <= ultimoGiorno; ++Indice) {
        G(Indice).setCaption(decimalText(Indice - Inizio + 1));
        G(Indice).setDate(dateOf(Indice - Inizio + 1, Mese, VScroll1->year()));
        G(Indice).setMousePointer(CustomPointer);
    }

    // Indice now stands just past the last day.
    Cella = Giorno + Indice - NumGiorni - 1;
    putFrameAround(G(Cella));

    Oggi->setBold(false);
    Oggi->setBorderStyle(0_i16);

    if (OggiNelMese(lstMESI->listIndex() + 1, VScroll1->year(), clock_)) {
        for (Indice = 0_i16; Indice <= ultimaCella; ++Indice)
            if (G(Indice).date() == clock_.today())
                G(Indice).setBackground(Oggi->backgroundColour());
    }
}

// A click on a day cell selects that day.
void Form1::G_Click(Int16 Index)
{
    Mese = lstMESI->listIndex() + 1;
    const DayCell &cella = G(Index);
    if (!cella.date())
        return;
    putFrameAround(cella);

    const Date selezionata = *cella.date();
    titleDate_ = selezionata;
    setWindowTitle(names_.fullDate(selezionata));

    showOggiLook(selezionata == clock_.today());

    Giorno = dayOf(selezionata);
}

void Form1::showOggiLook(bool selectedIsToday)
{
    Oggi->setBorderStyle(selectedIsToday ? 1_i16 : 0_i16);
    Oggi->setBold(selectedIsToday);
    Oggi->setUnderlined(!selectedIsToday);
    Oggi->setMousePointer(selectedIsToday ? ArrowPointer : CustomPointer);
}

// Back to today: today's year, month and day, and today's cell selected.
void Form1::Oggi_Click()
{
    setYear(yearOf(clock_.today()));
    setListIndex(monthOf(clock_.today()) - 1);
    Giorno = dayOf(clock_.today());
    MostraMese();

    Oggi->setBold(true);
    Oggi->setBorderStyle(1_i16);
    Oggi->setMousePointer(ArrowPointer);

    if (!isTrue(NoPass))
        G_Click(Cella);
}

void Form1::lblOGGI_Click()
{
    Oggi_Click();
}

// Shows the month list, or hides it when it is shown.
void Form1::cmdMESI_Click()
{
    lstMESI->setVisible(lstMESI->isHidden());
}

void Form1::lblMESE_Click()
{
    cmdMESI_Click();
}

// The month before; from January, December of the year before, down to the bar's end.
void Form1::Command2_Click()
{
    const Int16 mese = lstMESI->listIndex();
    if (mese > 0) {
        setListIndex(mese - 1);
        return;
    }
    const Int16 anno = VScroll1->year();
    if (anno > VScroll1->bottomEnd()) {
        setYear(anno - 1);
        setListIndex(11_i16);
    }
}

// The month after; from December, January of the year after, up to the bar's end.
void Form1::Command3_Click()
{
    const Int16 mese = lstMESI->listIndex();
    if (mese < 11) {
        setListIndex(mese + 1);
        return;
    }
    const Int16 anno = VScroll1->year();
    if (anno < VScroll1->topEnd()) {
        setYear(anno + 1);
        setListIndex(0_i16);
    }
}

// The same month in the current year.
void Form1::lblANNO_Click()
{
    setYear(yearOf(clock_.today()));
}

void Form1::setYear(Int16 anno)
{
    const Int16 prima = VScroll1->year();
    {
        const QSignalBlocker quiet(VScroll1);
        VScroll1->setYear(anno);
    }
    if (anno != prima)
        VScroll1_Change();
}

void Form1::setListIndex(Int16 indice)
{
    const Int16 prima = lstMESI->listIndex();
    lstMESI->setListIndex(indice);
    if (indice != prima)
        lstMESI_Click();
}

// Keys on the panel, through the same handlers as the mouse.
void Form1::pctCAL_KeyDown(int KeyCode)
{
    switch (KeyCode) {
    case Qt::Key_Left:
        moveSelectionBy(-1);
        break;
    case Qt::Key_Right:
        moveSelectionBy(1);
        break;
    case Qt::Key_Up:
        moveSelectionBy(-7);
        break;
    case Qt::Key_Down:
        moveSelectionBy(7);
        break;
    case Qt::Key_PageUp:
        Command2_Click();
        break;
    case Qt::Key_PageDown:
        Command3_Click();
        break;
    case Qt::Key_Home:
        Oggi_Click();
        break;
    case Qt::Key_Escape:
        // The open list closes; a panel's calendar or a date picker, with none open, goes.
        if (lstMESI->isVisible())
            cmdMESI_Click();
        else if (options_.popup || options_.picker)
            close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (options_.picker)
            chooseSelected();
        break;
    case Qt::Key_Copy:
        // The selected day written out, as a screen reader names it.
        if (const std::optional<Date> day = selectedDate())
            QGuiApplication::clipboard()->setText(names_.longDate(*day));
        break;
    }
}

// The wheel over the days or the month's name steps months, turned down to the next as in
// Qt's and GTK's calendars; over the year, years, up to the later, as the bar's arrows do.
void Form1::pctCAL_MouseWheel(QWidget *over, bool up)
{
    if (over == grid_ || over == lblMESE) {
        if (up)
            Command2_Click();
        else
            Command3_Click();
    } else if (over == lblANNO) {
        const Int16 anno = VScroll1->year();
        if (up && anno < VScroll1->topEnd())
            setYear(anno + 1);
        else if (!up && anno > VScroll1->bottomEnd())
            setYear(anno - 1);
    }
}

// Selects the day `days` away from the selected one as a click on its cell would, first
// showing the month before or after as the arrow buttons do when the day lies there.
// Past the first or the last day of the year bar nothing happens.
void Form1::moveSelectionBy(int days)
{
    const Int16 mese = lstMESI->listIndex() + 1;
    const std::optional<Date> giorno =
        movedDay(Giorno, mese, VScroll1->year(), days, VScroll1->bottomEnd(), VScroll1->topEnd());
    if (!giorno)
        return;
    if (monthOf(*giorno) != mese) {
        if (days < 0)
            Command2_Click();
        else
            Command3_Click();
    }
    G_Click(CellaDelGiorno(dayOf(*giorno), Inizio));
}

// The date changed while the window is open: today's date under the grid, today's cell
// and the look of "Oggi:" follow the clock. The month shown, the selected day and the
// title stay as they are.
void Form1::newDay()
{
    // The year bar takes no year outside its range, today's no more than any other.
    if (!inCalendar(clock_.today()))
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    lblOGGI->setCaption(names_.shortDate(clock_.today()));
    MostraMese();
    showOggiLook(titleDate_ == clock_.today());
}

} // namespace calendario
