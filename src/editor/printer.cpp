// The program's printer.
#include "editor/printer.h"

#include <QPrinter>

QPrinter& Printer()
{
    // Kept to the end of the program: a printer must not outlive the application's shutdown in a
    // static destructor.
    static QPrinter* const printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}
